// menddb: checks, repairs and compacts the database of WZP Logbook's data folder.
//
// Exit status: 0 log.mdb is ready and nothing was lost; 2 log.mdb is ready but rows of the damaged
// file were lost (compare it with the backup); 1 log.mdb was left as it was, also after a command
// line it does not understand.
#include "datafolder.h"
#include "mendcommand.h"
#include "mendreportwindow.h"
#include "programcommandline.h"
#include "uilanguage.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString help = QStringLiteral(
    "Usage: menddb [--data DIR]\n"
    "\n"
    "Checks, repairs and compacts log.mdb, the database of WZP Logbook. A damaged file is kept beside\n"
    "the repaired one. WZP Logbook starts menddb as it ends, from its Utility menu.\n"
    "\n"
    "Options:\n"
    "  --data DIR  mend log.mdb in the data folder DIR\n"
    "  -h, --help  show this text\n"
    "  --version   show the program's version\n"
    "\n"
    "Without --data menddb works on the data folder as WZP Logbook chooses it: the working folder or\n"
    "the program's folder when it holds log.mdb, otherwise the user's data folder. The report goes to\n"
    "standard output, and to a window when a display is at hand.\n"
    "\n"
    "Exit status: 0 log.mdb is ready and nothing was lost; 2 log.mdb is ready, but rows of the\n"
    "damaged file were lost (compare it with the backup); 1 log.mdb was left as it was, also after\n"
    "an option menddb does not know.\n");

bool connects(int family, const sockaddr *address, socklen_t length)
{
    const int handle = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (handle < 0)
        return false;
    const bool connected = ::connect(handle, address, length) == 0;
    ::close(handle);
    return connected;
}

bool unixSocketAnswers(const QByteArray &path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const int offset = abstract ? 1 : 0;
    if (path.size() + offset >= int(sizeof address.sun_path))
        return false;
    std::copy(path.begin(), path.end(), address.sun_path + offset);
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(offset) + size_t(path.size()) + (abstract ? 0 : 1));
    return connects(AF_UNIX, reinterpret_cast<const sockaddr *>(&address), length);
}

// Whether the X server DISPLAY names answers: a local one on its socket, a remote one (an ssh
// tunnel) on its port.
bool xServerAnswers(const QString &display)
{
    const int colon = display.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    const QString host = display.left(colon);
    bool valid = false;
    const int number = display.mid(colon + 1).section(QLatin1Char('.'), 0, 0).toInt(&valid);
    if (!valid)
        return false;
    if (host.isEmpty() || host == QLatin1String("unix")) {
        const QByteArray socket = "/tmp/.X11-unix/X" + QByteArray::number(number);
        return unixSocketAnswers(socket, true) || unixSocketAnswers(socket, false);
    }
    if (host.startsWith(QLatin1Char('/')))
        return unixSocketAnswers(QFile::encodeName(display), false);
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.toUtf8().constData(), QByteArray::number(6000 + number).constData(), &hints, &found) != 0)
        return false;
    bool answers = false;
    for (addrinfo *at = found; at && !answers; at = at->ai_next)
        answers = connects(at->ai_family, at->ai_addr, at->ai_addrlen);
    ::freeaddrinfo(found);
    return answers;
}

// A window is shown only where a window system really is at hand: a display named in the
// environment that no longer answers would end the program before it did anything.
bool hasDisplay()
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen"))
        return false;
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty()) {
        const QString socket = wayland.startsWith(QLatin1Char('/'))
            ? wayland
            : QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(wayland);
        if (unixSocketAnswers(QFile::encodeName(socket), false))
            return true;
    }
    const QString x = qEnvironmentVariable("DISPLAY");
    return !x.isEmpty() && xServerAnswers(x);
}

} // namespace

int main(int argc, char *argv[])
{
    // A command line it does not understand changes nothing: it may have been meant for another
    // program.
    const ProgramCommandLine line = ProgramCommandLine::read(argumentsOf(argc, argv), help);
    if (line.outcome == ProgramCommandLine::Outcome::ShowText) {
        std::fputs(line.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (line.outcome == ProgramCommandLine::Outcome::BadUsage) {
        std::fprintf(stderr, "%sNothing was changed.\n", line.text.toLocal8Bit().constData());
        return 1;
    }
    if (!line.dataFolder.isEmpty()) {
        if (const QString problem = datafolder::namedFolderProblem(line.dataFolder); !problem.isEmpty()) {
            std::fprintf(stderr, "%s\nNothing was changed.\n", problem.toLocal8Bit().constData());
            return 1;
        }
    }

    const bool windowed = hasDisplay();
    if (!windowed) {
        // Qt would otherwise try the display it names, and end the program when it is gone.
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
    }
    std::unique_ptr<QCoreApplication> app = windowed ? std::make_unique<QApplication>(argc, argv)
                                                     : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wzplog"));
    uilanguage::install(*app, QLocale::system(), datafolder::shareFolder(QCoreApplication::applicationDirPath()));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const bool terminal = isatty(fileno(stderr)) != 0;
    bool progressShown = false;
    std::unique_ptr<MendReportWindow> window;
    if (windowed) {
        window = std::make_unique<MendReportWindow>();
        window->show();
    }
    const auto onLine = [&](const QString &line, bool progress) {
        if (progress) {
            if (terminal) {
                err << '\r' << line << "\x1b[K" << Qt::flush;
                progressShown = true;
            }
            if (window)
                window->showProgress(line);
            return;
        }
        if (progressShown) {
            err << "\r\x1b[K" << Qt::flush;
            progressShown = false;
        }
        out << line << '\n' << Qt::flush;
        if (window)
            window->addLine(line);
    };
    const QString folder = line.dataFolder.isEmpty() ? mendcommand::dataFolder() : QDir(line.dataFolder).absolutePath();
    const DatabaseMender::Result result = mendcommand::run(folder, 10000, onLine);
    if (window) {
        window->finish(result.success);
        window->exec();
    }
    if (!result.success)
        return 1;
    return result.rowsLost ? 2 : 0;
}
