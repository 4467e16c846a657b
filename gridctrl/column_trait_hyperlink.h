// The hyperlink column: cells shown as links (underlined, a link colour, another colour
// while hot); a click on the link text opens a target built from the cell text through the
// shell. It has no in-place editor: opening the editor launches the link and reports an
// empty end of edit at once.
#pragma once
#include "gridctrl/column_trait_image.h"

class CColumnTraitHyperLink : public CColumnTraitImage {
public:
  CColumnTraitHyperLink();
  ~CColumnTraitHyperLink() override;

  int ClassifyClick(CListGridCtrl& owner, int row, int col, CPoint pt, bool dblClick) override;
  CWnd* OpenEditor(CListGridCtrl& owner, int row, int col, CPoint pt) override;
  CWnd* OpenEditor(CListGridCtrl& owner, int row, int col) override;
  bool QueryCellTextFont(NMLVCUSTOMDRAW* draw, LOGFONT& font) override;
  bool QueryCellTextColor(NMLVCUSTOMDRAW* draw, COLORREF& color) override;
  void AcceptVisitor(CTraitVisitor& visitor) override;

  // Launches the link of a cell text; false when nothing was launched (see BuildLaunch).
  virtual bool OpenLink(CListGridCtrl& owner, int row, int col, const CString& text);
  // Where the link text of a cell is drawn, in the grid's client coordinates.
  virtual CRect GetLinkArea(CListGridCtrl& owner, int row, int col, const CString& text);

  // What the shell is asked to open for a cell text: the file and its parameters (empty:
  // none). After a web prefix the text is percent-encoded as UTF-8; in the link's path the
  // characters a URL may hold stay as they are. False refuses the launch: an empty text; a
  // link with control characters; with a program, a link holding a quote; without one, a
  // link whose scheme is not allowed.
  bool BuildLaunch(const CString& text, CString& file, CString& parameters) const;

  void SetLinkColor(COLORREF color) { linkColor = color; }
  COLORREF GetLinkColor() const { return linkColor; }
  void SetHotLinkColor(COLORREF color) { hotColor = color; }
  COLORREF GetHotLinkColor() const { return hotColor; }
  void SetOperation(const CString& verb) { operation = verb; }
  CString GetOperation() const { return operation; }
  void SetProgram(const CString& file) { program = file; }
  CString GetProgram() const { return program; }
  void SetPrefix(const CString& text) { prefix = text; }
  CString GetPrefix() const { return prefix; }
  void SetSuffix(const CString& text) { suffix = text; }
  CString GetSuffix() const { return suffix; }
  void SetShowCommand(int command) { showCommand = command; }
  int GetShowCommand() const { return showCommand; }
  // Widens the schemes a link opened without a program may have (http, https and mailto).
  void AddLinkScheme(const CString& scheme) { linkSchemes.Add(scheme); }

protected:
  bool HasAllowedScheme(const CString& link) const;

  COLORREF linkColor = RGB(22, 74, 170);
  COLORREF hotColor = RGB(0, 85, 255);
  CString operation;
  CString program;
  CString prefix;
  CString suffix;
  int showCommand = SW_SHOWNORMAL;
  CSimpleArray<CString> linkSchemes;
};
