#pragma once
// The interface's language: Tamil where the user's locale asks for it (LANG=ta_IN.UTF-8 or
// LANGUAGE=ta), English as written otherwise. The translations are built into the program.

class QCoreApplication;

namespace orvane {

// Loads the translation the locale asks for, if Orvane has one; true when one was loaded.
bool installTranslations(QCoreApplication& app);

} // namespace orvane
