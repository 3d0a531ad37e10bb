// What Tavrin gives plug-ins: the settings file, and the general options in the plug-ins'
// settings record as the dialog's settings.
#pragma once

#include "import/import_settings.h"
#include "tavrin/import_plugin.h"

// The host every plug-in gets at CreateInstance; it lives as long as the process.
IImportHost& PluginHost();

// The record's general options into the dialog's settings, and back. Writing back keeps the
// record's flag bits that the settings do not hold, and its code-system names.
void SettingsFromRecord(const ImportPluginSettings& record, ImportSettings& settings);
void RecordFromSettings(const ImportSettings& settings, ImportPluginSettings& record);

// The plug-in's settings record; null when it gives none.
ImportPluginSettings* PluginRecord(IRegImportServer& plugin);
