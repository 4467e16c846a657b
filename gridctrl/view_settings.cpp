#include "gridctrl/view_settings.h"

#include <charconv>
#include <cstring>

#include "platform/win/wide_numbers.h"

namespace {

const wchar_t kPairDelimiter[] = L", ";
const wchar_t kProfileJoint[] = L"__";
const wchar_t kActiveProfileKey[] = L"ActiveProfile";
const wchar_t kProfileListKey[] = L"CurrentProfiles";

// Decimal integer text, independent of the process locale.
CString intText(int value) {
  char buffer[16];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return CString(std::wstring(buffer, end).c_str());
}

}  // namespace

// ---- conversions ----------------------------------------------------------------------------

CString CViewSettingsSection::ConvertBoolSetting(bool value) { return value ? L"TRUE" : L"FALSE"; }

CString CViewSettingsSection::ConvertIntSetting(int value) { return intText(value); }

CString CViewSettingsSection::ConvertFloatSetting(double value, int decimals) {
  // Fixed-point with the writer's number of decimals, always with a '.' whatever the locale.
  if (decimals < 0) decimals = 0;
  if (decimals > 30) decimals = 30;
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return CString();
  return CString(std::wstring(buffer, result.ptr).c_str());
}

CString CViewSettingsSection::ConvertIntArraySetting(const CSimpleArray<int>& values, const CString& delimiter) {
  CSimpleArray<CString> texts;
  for (int i = 0; i < values.GetSize(); ++i) texts.Add(intText(values[i]));
  return ConvertArraySetting(texts, delimiter);
}

CString CViewSettingsSection::ConvertArraySetting(const CSimpleArray<CString>& values, const CString& delimiter) {
  CString text;
  for (int i = 0; i < values.GetSize(); ++i) {
    if (!text.IsEmpty()) text += delimiter;
    text += values[i];
  }
  return text;
}

CString CViewSettingsSection::ConvertLogFontSetting(const LOGFONT& font) {
  // The face name is read up to its terminator, never past the field.
  size_t faceLength = 0;
  while (faceLength < LF_FACESIZE - 1 && font.lfFaceName[faceLength]) ++faceLength;
  CSimpleArray<CString> pieces;
  pieces.Add(CString(font.lfFaceName, static_cast<int>(faceLength)));
  for (int value :
       {static_cast<int>(font.lfHeight), static_cast<int>(font.lfWidth), static_cast<int>(font.lfEscapement),
        static_cast<int>(font.lfOrientation), static_cast<int>(font.lfWeight), static_cast<int>(font.lfItalic),
        static_cast<int>(font.lfUnderline), static_cast<int>(font.lfStrikeOut), static_cast<int>(font.lfCharSet),
        static_cast<int>(font.lfOutPrecision), static_cast<int>(font.lfQuality),
        static_cast<int>(font.lfPitchAndFamily)})
    pieces.Add(intText(value));
  return ConvertArraySetting(pieces, kPairDelimiter);
}

CString CViewSettingsSection::ConvertRectSetting(const CRect& rect) {
  CSimpleArray<int> values;
  values.Add(rect.left);
  values.Add(rect.top);
  values.Add(rect.right);
  values.Add(rect.bottom);
  return ConvertIntArraySetting(values, kPairDelimiter);
}

CString CViewSettingsSection::ConvertColorSetting(COLORREF color) {
  CSimpleArray<int> values;
  values.Add(GetRValue(color));
  values.Add(GetGValue(color));
  values.Add(GetBValue(color));
  return ConvertIntArraySetting(values, kPairDelimiter);
}

void CViewSettingsSection::SplitArraySetting(const CString& text, CSimpleArray<CString>& values,
                                             const CString& delimiter) {
  if (text.IsEmpty()) return;
  if (delimiter.IsEmpty()) {  // nothing to split on: the text is one piece
    values.Add(text);
    return;
  }
  int start = 0;
  for (;;) {
    int at = text.Find(delimiter, start);
    if (at < 0) {
      values.Add(text.Mid(start));
      return;
    }
    values.Add(text.Mid(start, at - start));
    start = at + delimiter.GetLength();
  }
}

const CString& CViewSettingsSection::GetSectionName() { return sectionName; }

// ---- typed reads and writes -----------------------------------------------------------------

CString CViewSettingsSection::GetSetting(const CString& name, const CString& defaultValue) {
  return ReadSetting(GetSectionName(), name, defaultValue);
}

bool CViewSettingsSection::GetBoolSetting(const CString& name, bool defaultValue) {
  CString text = GetSetting(name, ConvertBoolSetting(defaultValue));
  if (text == L"TRUE") return true;
  if (text == L"FALSE") return false;
  return defaultValue;
}

int CViewSettingsSection::GetIntSetting(const CString& name, int defaultValue) {
  return _wtoi(GetSetting(name, ConvertIntSetting(defaultValue)));
}

double CViewSettingsSection::GetFloatSetting(const CString& name, double defaultValue) {
  return _wtof(GetSetting(name, ConvertFloatSetting(defaultValue, 6)));
}

LOGFONT CViewSettingsSection::GetLogFontSetting(const CString& name) {
  LOGFONT font{};
  CSimpleArray<CString> pieces;
  GetArraySetting(name, pieces, kPairDelimiter);
  if (pieces.GetSize() != 13) return font;
  // A face name edited to 32 characters or more is cut to the field.
  const CString& face = pieces[0];
  int faceLength = face.GetLength() < LF_FACESIZE - 1 ? face.GetLength() : LF_FACESIZE - 1;
  for (int i = 0; i < faceLength; ++i) font.lfFaceName[i] = face[i];
  font.lfFaceName[faceLength] = 0;
  font.lfHeight = _wtoi(pieces[1]);
  font.lfWidth = _wtoi(pieces[2]);
  font.lfEscapement = _wtoi(pieces[3]);
  font.lfOrientation = _wtoi(pieces[4]);
  font.lfWeight = _wtoi(pieces[5]);
  font.lfItalic = static_cast<BYTE>(_wtoi(pieces[6]));
  font.lfUnderline = static_cast<BYTE>(_wtoi(pieces[7]));
  font.lfStrikeOut = static_cast<BYTE>(_wtoi(pieces[8]));
  font.lfCharSet = static_cast<BYTE>(_wtoi(pieces[9]));
  font.lfOutPrecision = static_cast<BYTE>(_wtoi(pieces[10]));
  font.lfQuality = static_cast<BYTE>(_wtoi(pieces[11]));
  font.lfPitchAndFamily = static_cast<BYTE>(_wtoi(pieces[12]));
  return font;
}

CRect CViewSettingsSection::GetRectSetting(const CString& name, const CRect& defaultValue) {
  CSimpleArray<CString> pieces;
  GetArraySetting(name, pieces, kPairDelimiter);
  if (pieces.GetSize() != 4) return defaultValue;
  return CRect(_wtoi(pieces[0]), _wtoi(pieces[1]), _wtoi(pieces[2]), _wtoi(pieces[3]));
}

COLORREF CViewSettingsSection::GetColorSetting(const CString& name, COLORREF defaultValue) {
  CSimpleArray<CString> pieces;
  GetArraySetting(name, pieces, kPairDelimiter);
  if (pieces.GetSize() != 3) return defaultValue;
  return RGB(static_cast<BYTE>(_wtoi(pieces[0])), static_cast<BYTE>(_wtoi(pieces[1])),
             static_cast<BYTE>(_wtoi(pieces[2])));
}

void CViewSettingsSection::GetIntArraySetting(const CString& name, CSimpleArray<int>& values,
                                              const CString& delimiter) {
  CSimpleArray<CString> pieces;
  GetArraySetting(name, pieces, delimiter);
  for (int i = 0; i < pieces.GetSize(); ++i) values.Add(_wtoi(pieces[i]));
}

void CViewSettingsSection::GetArraySetting(const CString& name, CSimpleArray<CString>& values,
                                           const CString& delimiter) {
  CString text = GetSetting(name, CString());
  if (!text.IsEmpty()) SplitArraySetting(text, values, delimiter);
}

void CViewSettingsSection::SetSetting(const CString& name, const CString& value) {
  WriteSetting(GetSectionName(), name, value);
}

void CViewSettingsSection::SetBoolSetting(const CString& name, bool value) {
  SetSetting(name, ConvertBoolSetting(value));
}

void CViewSettingsSection::SetIntSetting(const CString& name, int value) { SetSetting(name, ConvertIntSetting(value)); }

void CViewSettingsSection::SetFloatSetting(const CString& name, double value, int decimals) {
  SetSetting(name, ConvertFloatSetting(value, decimals));
}

void CViewSettingsSection::SetIntArraySetting(const CString& name, const CSimpleArray<int>& values,
                                              const CString& delimiter) {
  SetSetting(name, ConvertIntArraySetting(values, delimiter));
}

void CViewSettingsSection::SetArraySetting(const CString& name, const CSimpleArray<CString>& values,
                                           const CString& delimiter) {
  SetSetting(name, ConvertArraySetting(values, delimiter));
}

void CViewSettingsSection::SetLogFontSetting(const CString& name, const LOGFONT& font) {
  SetSetting(name, ConvertLogFontSetting(font));
}

void CViewSettingsSection::SetRectSetting(const CString& name, const CRect& rect) {
  SetSetting(name, ConvertRectSetting(rect));
}

void CViewSettingsSection::SetColorSetting(const CString& name, COLORREF color) {
  SetSetting(name, ConvertColorSetting(color));
}

void CViewSettingsSection::RemoveCurrentSection() { RemoveSection(GetSectionName()); }

// ---- in-memory section ----------------------------------------------------------------------

CViewSettingsSectionDefault::CViewSettingsSectionLocal::CViewSettingsSectionLocal(
    const CViewSettingsSectionLocal& other)
    : CViewSettingsSection(other) {
  for (int i = 0; i < other.pairs.GetSize(); ++i) pairs.Add(other.pairs.GetKeyAt(i), other.pairs.GetValueAt(i));
}

CViewSettingsSectionDefault::CViewSettingsSectionLocal&
CViewSettingsSectionDefault::CViewSettingsSectionLocal::operator=(const CViewSettingsSectionLocal& other) {
  if (this == &other) return *this;
  CViewSettingsSection::operator=(other);
  pairs.RemoveAll();
  for (int i = 0; i < other.pairs.GetSize(); ++i) pairs.Add(other.pairs.GetKeyAt(i), other.pairs.GetValueAt(i));
  return *this;
}

CString CViewSettingsSectionDefault::CViewSettingsSectionLocal::ReadSetting(const CString&, const CString& name,
                                                                            const CString& defaultValue) {
  int i = pairs.FindKey(name);
  return i < 0 ? defaultValue : pairs.GetValueAt(i);
}

void CViewSettingsSectionDefault::CViewSettingsSectionLocal::WriteSetting(const CString&, const CString& name,
                                                                          const CString& value) {
  // One pair per name: a second write replaces the value in place.
  int i = pairs.FindKey(name);
  if (i < 0) pairs.Add(name, value);
  else pairs.SetAtIndex(i, name, value);
}

void CViewSettingsSectionDefault::CViewSettingsSectionLocal::RemoveSection(const CString&) { pairs.RemoveAll(); }

// ---- defaults -------------------------------------------------------------------------------

CString CViewSettingsSectionDefault::GetSetting(const CString& name, const CString& defaultValue) {
  CString fallback = defaults.GetSetting(name, defaultValue);
  return ReadSetting(GetSectionName(), name, fallback);
}

CViewSettingsSection& CViewSettingsSectionDefault::GetDefaultConfig() { return defaults; }

bool CViewSettingsSectionDefault::HasDefaultConfig() { return defaults.GetPairCount() > 0; }

void CViewSettingsSectionDefault::ResetConfigDefault() {
  RemoveSection(GetSectionName());
  for (int i = 0; i < defaults.GetPairCount(); ++i) SetSetting(defaults.GetNameAt(i), defaults.GetValueAt(i));
}

// ---- profiles -------------------------------------------------------------------------------

const CString& CViewSettingsSectionProfiles::GetSectionName() {
  if (currentSectionName != sectionName) return currentSectionName;
  CString profile = ReadSetting(sectionName, kActiveProfileKey, CString());
  if (profile.IsEmpty()) {
    CSimpleArray<CString> profiles;
    GetProfiles(profiles);
    if (profiles.GetSize() > 0) profile = profiles[0];
  }
  currentSectionName = JoinSectionName(sectionName, profile);
  return currentSectionName;
}

void CViewSettingsSectionProfiles::RemoveCurrentSection() {
  const CString current = GetSectionName();
  if (current != sectionName) {
    RemoveSection(current);
    return;
  }
  CString profiles = ReadSetting(sectionName, kProfileListKey, CString());
  CString active = ReadSetting(sectionName, kActiveProfileKey, CString());
  RemoveSection(sectionName);
  WriteSetting(sectionName, kProfileListKey, profiles);
  WriteSetting(sectionName, kActiveProfileKey, active);
}

void CViewSettingsSectionProfiles::SplitSectionName(const CString& fullName, CString& section, CString& profile) {
  int at = fullName.Find(kProfileJoint);
  if (at >= 1 && fullName.Left(at) == sectionName) {
    section = fullName.Left(at);
    profile = fullName.Mid(at + 2);
    return;
  }
  section = sectionName;
}

CString CViewSettingsSectionProfiles::JoinSectionName(const CString& section, const CString& profile) {
  if (profile.IsEmpty()) return section;
  return section + kProfileJoint + profile;
}

void CViewSettingsSectionProfiles::GetProfiles(CSimpleArray<CString>& profiles) {
  CString text = ReadSetting(sectionName, kProfileListKey, CString());
  SplitArraySetting(text, profiles, kPairDelimiter);
}

CString CViewSettingsSectionProfiles::GetActiveProfile() {
  CString section;
  CString profile;
  SplitSectionName(currentSectionName, section, profile);
  return profile;
}

bool CViewSettingsSectionProfiles::IsUsableProfileName(const CString& profile) {
  return !profile.IsEmpty() && profile.Find(kPairDelimiter) < 0;
}

void CViewSettingsSectionProfiles::WriteProfileList(const CSimpleArray<CString>& profiles) {
  WriteSetting(sectionName, kProfileListKey, ConvertArraySetting(profiles, kPairDelimiter));
}

void CViewSettingsSectionProfiles::SetActiveProfile(const CString& profile) {
  // An empty name switches back to the base section; a name that cannot be listed is ignored.
  if (!profile.IsEmpty() && !IsUsableProfileName(profile)) return;
  WriteSetting(sectionName, kActiveProfileKey, profile);
  currentSectionName = JoinSectionName(sectionName, profile);
  if (!profile.IsEmpty()) AddProfile(profile);
}

void CViewSettingsSectionProfiles::AddProfile(const CString& profile) {
  if (!IsUsableProfileName(profile)) return;
  CSimpleArray<CString> profiles;
  GetProfiles(profiles);
  for (int i = 0; i < profiles.GetSize(); ++i)
    if (profiles[i] == profile) return;
  profiles.Add(profile);
  WriteProfileList(profiles);
}

void CViewSettingsSectionProfiles::DeleteProfile(const CString& profile) {
  if (!IsUsableProfileName(profile)) return;
  RemoveSection(JoinSectionName(sectionName, profile));
  CSimpleArray<CString> profiles;
  GetProfiles(profiles);
  CSimpleArray<CString> kept;
  for (int i = 0; i < profiles.GetSize(); ++i)
    if (profiles[i] != profile) kept.Add(profiles[i]);
  WriteProfileList(kept);
  // The deleted profile can no longer be the one in use: the base section takes over.
  if (currentSectionName == JoinSectionName(sectionName, profile) ||
      ReadSetting(sectionName, kActiveProfileKey, CString()) == profile) {
    WriteSetting(sectionName, kActiveProfileKey, CString());
    currentSectionName = sectionName;
  }
}

// ---- application profile storage ------------------------------------------------------------

CString CViewSettingsSectionWinApp::ReadSetting(const CString& section, const CString& name,
                                                const CString& defaultValue) {
  CWinApp* app = AfxGetApp();
  if (!app) return defaultValue;
  return app->GetProfileString(section, name, defaultValue);
}

void CViewSettingsSectionWinApp::WriteSetting(const CString& section, const CString& name, const CString& value) {
  if (CWinApp* app = AfxGetApp()) app->WriteProfileString(section, name, value);
}

void CViewSettingsSectionWinApp::RemoveSection(const CString& section) {
  if (CWinApp* app = AfxGetApp()) app->WriteProfileString(section, nullptr, nullptr);
}
