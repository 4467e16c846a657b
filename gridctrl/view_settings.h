// The view configuration store: named text settings of one view (a grid's column layout),
// with typed conversions, registered defaults, named profiles and, for the application,
// storage in the application object's profile strings.
#pragma once
#include "platform/mfc/mfc.h"

// A named section of text settings. Storage is left to subclasses; the typed get and set
// operations all go through GetSectionName, GetSetting and SetSetting.
class CViewSettingsSection {
public:
  explicit CViewSettingsSection(const CString& sectionName) : sectionName(sectionName) {}
  CViewSettingsSection(const CViewSettingsSection&) = default;
  CViewSettingsSection& operator=(const CViewSettingsSection&) = default;

  virtual CString ReadSetting(const CString& section, const CString& name, const CString& defaultValue) = 0;
  virtual void WriteSetting(const CString& section, const CString& name, const CString& value) = 0;
  virtual void RemoveSection(const CString& section) = 0;

  virtual CString ConvertBoolSetting(bool value);
  virtual CString ConvertIntSetting(int value);
  virtual CString ConvertFloatSetting(double value, int decimals);
  virtual CString ConvertIntArraySetting(const CSimpleArray<int>& values, const CString& delimiter);
  virtual CString ConvertArraySetting(const CSimpleArray<CString>& values, const CString& delimiter);
  virtual CString ConvertLogFontSetting(const LOGFONT& font);
  virtual CString ConvertRectSetting(const CRect& rect);
  virtual CString ConvertColorSetting(COLORREF color);
  virtual void SplitArraySetting(const CString& text, CSimpleArray<CString>& values, const CString& delimiter);
  virtual const CString& GetSectionName();
  virtual ~CViewSettingsSection() = default;

  virtual CString GetSetting(const CString& name, const CString& defaultValue);
  virtual bool GetBoolSetting(const CString& name, bool defaultValue);
  virtual int GetIntSetting(const CString& name, int defaultValue);
  virtual double GetFloatSetting(const CString& name, double defaultValue);
  virtual LOGFONT GetLogFontSetting(const CString& name);
  virtual CRect GetRectSetting(const CString& name, const CRect& defaultValue);
  virtual COLORREF GetColorSetting(const CString& name, COLORREF defaultValue);
  virtual void GetIntArraySetting(const CString& name, CSimpleArray<int>& values, const CString& delimiter);
  virtual void GetArraySetting(const CString& name, CSimpleArray<CString>& values, const CString& delimiter);
  virtual void SetSetting(const CString& name, const CString& value);
  virtual void SetBoolSetting(const CString& name, bool value);
  virtual void SetIntSetting(const CString& name, int value);
  virtual void SetFloatSetting(const CString& name, double value, int decimals);
  virtual void SetIntArraySetting(const CString& name, const CSimpleArray<int>& values, const CString& delimiter);
  virtual void SetArraySetting(const CString& name, const CSimpleArray<CString>& values, const CString& delimiter);
  virtual void SetLogFontSetting(const CString& name, const LOGFONT& font);
  virtual void SetRectSetting(const CString& name, const CRect& rect);
  virtual void SetColorSetting(const CString& name, COLORREF color);
  virtual void RemoveCurrentSection();

protected:
  CString sectionName;
};

// Adds a layer of registered defaults that reads fall back to, and a reset to them.
class CViewSettingsSectionDefault : public CViewSettingsSection {
public:
  // In-memory storage: one object is one section, the section argument is ignored.
  class CViewSettingsSectionLocal : public CViewSettingsSection {
  public:
    explicit CViewSettingsSectionLocal(const CString& sectionName) : CViewSettingsSection(sectionName) {}
    CViewSettingsSectionLocal(const CViewSettingsSectionLocal& other);
    CViewSettingsSectionLocal& operator=(const CViewSettingsSectionLocal& other);
    ~CViewSettingsSectionLocal() override = default;

    CString ReadSetting(const CString& section, const CString& name, const CString& defaultValue) override;
    void WriteSetting(const CString& section, const CString& name, const CString& value) override;
    void RemoveSection(const CString& section) override;

    // The stored pairs in insertion order (the defaults reset walks them).
    int GetPairCount() const { return pairs.GetSize(); }
    const CString& GetNameAt(int i) const { return pairs.GetKeyAt(i); }
    const CString& GetValueAt(int i) const { return pairs.GetValueAt(i); }

  private:
    CSimpleMap<CString, CString> pairs;
  };

  explicit CViewSettingsSectionDefault(const CString& sectionName)
      : CViewSettingsSection(sectionName), defaults(sectionName) {}
  ~CViewSettingsSectionDefault() override = default;
  CString GetSetting(const CString& name, const CString& defaultValue) override;

  virtual CViewSettingsSection& GetDefaultConfig();
  virtual bool HasDefaultConfig();
  virtual void ResetConfigDefault();

protected:
  CViewSettingsSectionLocal defaults;
};

// Adds named profiles: the section in use is the base name, "__" and the active profile.
class CViewSettingsSectionProfiles : public CViewSettingsSectionDefault {
public:
  explicit CViewSettingsSectionProfiles(const CString& sectionName)
      : CViewSettingsSectionDefault(sectionName), currentSectionName(sectionName) {}
  const CString& GetSectionName() override;
  ~CViewSettingsSectionProfiles() override = default;
  void RemoveCurrentSection() override;

  virtual void SplitSectionName(const CString& fullName, CString& section, CString& profile);
  virtual CString JoinSectionName(const CString& section, const CString& profile);
  virtual void GetProfiles(CSimpleArray<CString>& profiles);
  virtual CString GetActiveProfile();
  virtual void SetActiveProfile(const CString& profile);
  virtual void AddProfile(const CString& profile);
  virtual void DeleteProfile(const CString& profile);

protected:
  // A profile name must be one piece of the ", "-joined profile list.
  static bool IsUsableProfileName(const CString& profile);
  void WriteProfileList(const CSimpleArray<CString>& profiles);

  CString currentSectionName;
};

// Storage in the application object's profile strings (AfxGetApp).
class CViewSettingsSectionWinApp : public CViewSettingsSectionProfiles {
public:
  explicit CViewSettingsSectionWinApp(const CString& sectionName) : CViewSettingsSectionProfiles(sectionName) {}
  ~CViewSettingsSectionWinApp() override = default;

  CString ReadSetting(const CString& section, const CString& name, const CString& defaultValue) override;
  void WriteSetting(const CString& section, const CString& name, const CString& value) override;
  void RemoveSection(const CString& section) override;
};
