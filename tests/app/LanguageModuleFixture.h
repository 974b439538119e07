#pragma once
// A small language module written beside the test's program: its version record, a
// translated string table that leaves most ids to the program's own texts and, when asked
// for, a translated main menu and comment dialog.

#include <string>

#include "device/FileVersionInfo.h"

// The program's own product version with the major and minor parts moved by the deltas.
inline std::string ProgramVersionText(int majorDelta = 0, int minorDelta = 0) {
  CFileVersionInfo program;
  program.CreateFromModule(nullptr);
  return std::to_string(program.GetProductVersionPart(3) + majorDelta) + "." +
         std::to_string(program.GetProductVersionPart(2) + minorDelta) + "." +
         std::to_string(program.GetProductVersionPart(1)) + "." +
         std::to_string(program.GetProductVersionPart(0));
}

// The text of a module named `language`, of the given version, translating the main title and
// emptying the name of the help file.
inline std::string LanguageModuleText(const std::string& language, const std::string& version) {
  return "[version]\n"
         "file-version " +
         version +
         "\n"
         "product-version " +
         version +
         "\n"
         "translation 0x0409 1200\n"
         "InternalName \"" +
         language +
         "\"\n"
         "OriginalFileName \"ZD-Zedo_" +
         language +
         ".zdl\"\n"
         "FileVersion \"" +
         version +
         "\"\n"
         "FileDescription \"ZD-Zedo " +
         language +
         "\"\n"
         "Comments \"Texts in " +
         language +
         "\"\n"
         "[strings]\n"
         "# The main title and the help file name.\n"
         "1035 \"Jovant ZD-Zedo (" +
         language +
         ")\"\n"
         "1079 \"\"\n";
}

// A translated main menu (a few entries) and comment dialog, to follow the module's text; the
// About box and every other dialog stay the program's.
inline std::string TranslatedResourcesText() {
  return "[menu 517]\n"
         "popup \"&Datei\"\n"
         "  item 57601 \"Projekt \xC3\xB6&ffnen...\"\n"
         "  item 1 \"&Einstellungen\"\n"
         "  separator\n"
         "  item 57665 \"&Beenden\"\n"
         "end\n"
         "popup \"&Hilfe\"\n"
         "  item 57664 \"\xC3\x9C&ber ZD-Zedo...\\t(F1)\"\n"
         "end\n"
         "[dialog 503]\n"
         "dialog 0 0 250 110 \"Bitte einen Kommentar eingeben\"\n"
         "font 8 \"MS Shell Dlg\"\n"
         "control edit 104 7 7 236 74 \"\" multiline wantreturn vscroll tabstop\n"
         "control button 1 139 89 50 14 \"OK\" default tabstop\n"
         "control button 2 193 89 50 14 \"Abbrechen\" tabstop\n";
}
