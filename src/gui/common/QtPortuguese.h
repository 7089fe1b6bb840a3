#pragma once
// Qt's own dialogs (the Yes/No and input boxes' buttons, the print dialog and its preview) speak
// Portuguese whatever the machine's locale: the program is Portuguese. Qt's Brazilian Portuguese
// translations (Debian package qt6-translations-l10n) are installed in the application, and
// Portuguese (Brazil) becomes the default locale (paper sizes and units of the print dialog).

// Returns false when Qt's translations are not installed on this machine; Qt's dialogs then
// speak English and the program goes on.
bool InstallQtPortuguese();
