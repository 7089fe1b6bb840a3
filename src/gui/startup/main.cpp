// The program: start on the data folder, then show the main window until it is closed.
#include "UPrincipal.h"
#include "common/Dialogs.h"
#include "common/FormWindow.h"
#include "common/QtPortuguese.h"
#include "common/SharedWindows.h"
#include "maintenance/ImportItems.h"
#include "data/CoreError.h"
#include "data/DataFolder.h"
#include "data/QtMessages.h"
#include "data/ServerAddress.h"
#include "data/Session.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    KeepQtMessagesForDevelopers();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravelha"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));
    // The installed menu entry (ravelha.desktop) and its icon in the hicolor theme; run from a
    // build tree, where no icon is installed, the windows keep the platform's default.
    // On Windows the windows take the icon inside the program itself.
#ifndef Q_OS_WIN
    QGuiApplication::setDesktopFileName(QStringLiteral("ravelha"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("ravelha")));
#endif
    if (!InstallQtPortuguese())
        std::fputs("Ravelha: as traduções do Qt (pacote qt6-translations-l10n, ou a pasta translations ao lado "
                   "do programa no Windows) não estão instaladas; os botões das caixas de diálogo aparecerão "
                   "em inglês.\n",
                   stderr);

    QStringList arguments = QApplication::arguments();
    const QString folder = DataFolder::choose(arguments);
    // --banco URL --unidade NOME (or RAVELHA_BANCO and RAVELHA_UNIDADE): the unit is kept on a
    // server; the data folder still holds this desk's own files.
    ShowUnitInWindowTitles();
    std::unique_ptr<Session> session;
    try {
        ServerAddresses::setCurrent(ServerAddresses::choose(arguments));
        // A data folder that does not exist yet may take a unit's data from an old folder.
        if (!ServerAddresses::current().isSet() && !QFileInfo::exists(folder))
            OfferImportAtFirstStart(folder);
        session = std::make_unique<Session>(folder);
    } catch (const CoreError& e) {
        Dialogs::current().error(e.message() + QStringLiteral("\n\nO programa será encerrado."));
        return 1;
    }

    int result = 0;
    {
        TFPrincipal window;
        window.show();
        // What the start could not finish (a file still not written) is told once the window is up.
        if (!session->notice().isEmpty()) {
            const QString notice = session->notice();
            QTimer::singleShot(0, &window, [notice] { Dialogs::current().message(notice); });
        }
        result = app.exec();
        DeleteSharedWindows();
    }
    return result;
}
