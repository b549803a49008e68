// menddb: checks, repairs and compacts the database of WZP Logbook's data folder.
#include "mendcommand.h"
#include "mendreportwindow.h"

#include <QApplication>
#include <QTextStream>
#include <memory>

namespace {

// A window is shown only where a window system is at hand.
bool hasDisplay()
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen"))
        return false;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    const bool windowed = hasDisplay();
    std::unique_ptr<QCoreApplication> app = windowed ? std::make_unique<QApplication>(argc, argv)
                                                     : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wzplog"));

    const DatabaseMender::Result result = mendcommand::run(mendcommand::dataFolder(), 10000);
    QTextStream out(stdout);
    for (const QString &line : result.lines)
        out << line << '\n';
    out.flush();
    if (windowed) {
        MendReportWindow window(result.lines, result.success);
        window.exec();
    }
    return result.success ? 0 : 1;
}
