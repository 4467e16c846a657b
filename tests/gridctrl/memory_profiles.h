// A profiles store over plain maps (one per section) that counts its writes.
#pragma once
#include <map>

#include "gridctrl/view_settings.h"

class MemoryProfiles : public CViewSettingsSectionProfiles {
public:
  explicit MemoryProfiles(const CString& name) : CViewSettingsSectionProfiles(name) {}
  CString ReadSetting(const CString& section, const CString& name, const CString& defaultValue) override {
    auto s = sections.find(section);
    if (s == sections.end()) return defaultValue;
    auto v = s->second.find(name);
    return v == s->second.end() ? defaultValue : v->second;
  }
  void WriteSetting(const CString& section, const CString& name, const CString& value) override {
    ++writes;
    sections[section][name] = value;
  }
  void RemoveSection(const CString& section) override { sections.erase(section); }

  std::map<CString, std::map<CString, CString>> sections;
  int writes = 0;
};
