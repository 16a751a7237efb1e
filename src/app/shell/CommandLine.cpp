#include "app/shell/CommandLine.h"

#include "platform/LoginItem.h"

#include <array>

namespace brolga {

namespace {

// Options QGuiApplication and QApplication take themselves, with one or two dashes.
constexpr std::array qtOptionsWithValue{"platform",        "platformpluginpath",
                                        "platformtheme",   "plugin",
                                        "qwindowgeometry", "geometry",
                                        "qwindowicon",     "icon",
                                        "qwindowtitle",    "title",
                                        "display",         "name",
                                        "session",         "style",
                                        "stylesheet"};
constexpr std::array qtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

template <std::size_t N> bool contains(const std::array<const char *, N> &names, const QString &name)
{
    for (const char *n : names)
        if (name == QLatin1String(n))
            return true;
    return false;
}

bool write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream) ==
               static_cast<size_t>(bytes.size()) &&
           std::fflush(stream) == 0;
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    parse(arguments);
}

CommandLine::CommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parse(arguments);
}

// In order, the first of help, version or a mistake decides, as with getopt.
void CommandLine::parse(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"-h" || argument == u"--help") {
            request_ = Request::help;
            return;
        }
        if (argument == u"-v" || argument == u"--version") {
            request_ = Request::version;
            return;
        }
        if (argument == QLatin1String(LoginItem::argument)) {
            atLogin_ = true;
            continue;
        }
        if (!argument.startsWith(u'-') || argument == u"-" || argument == u"--") {
            fail(QStringLiteral("unexpected argument '%1'").arg(argument));
            return;
        }
        // Qt's: "-style fusion", "--style fusion" or "-style=fusion".
        const QString bare = argument.mid(argument.startsWith(u"--") ? 2 : 1);
        const qsizetype eq = bare.indexOf(u'=');
        const QString name = eq < 0 ? bare : bare.left(eq);
        if (contains(qtOptionsWithValue, name)) {
            if (eq < 0 && ++i >= arguments.size()) {
                fail(QStringLiteral("option '%1' needs a value").arg(argument));
                return;
            }
            continue;
        }
        if (eq < 0 && contains(qtFlags, name))
            continue;
        fail(QStringLiteral("unknown option '%1'").arg(argument));
        return;
    }
}

void CommandLine::fail(const QString &error)
{
    request_ = Request::mistake;
    error_ = error;
}

std::optional<int> CommandLine::answer(std::FILE *out, std::FILE *err) const
{
    switch (request_) {
    case Request::run: return std::nullopt;
    case Request::help: return write(out, helpText()) ? 0 : 1;
    case Request::version: return write(out, versionText()) ? 0 : 1;
    case Request::mistake: write(err, QStringLiteral("brolga: %1\n").arg(error_) + usage()); return usageStatus;
    }
    return std::nullopt;
}

QString CommandLine::usage()
{
    return QStringLiteral("Usage: brolga [--autostart]\n"
                          "       brolga --help | --version\n");
}

QString CommandLine::helpText()
{
    return usage() +
           QStringLiteral("\n"
                          "Brolga, the mortgage broker's calculator, waits in the system tray: click the wing to\n"
                          "open the window. Where the desktop has no tray it opens as an ordinary window.\n"
                          "\n"
                          "Options:\n"
                          "  --autostart     started at login: wait for the tray and open no window\n"
                          "  -h, --help      show this help and exit\n"
                          "  -v, --version   show the version and exit\n"
                          "\n"
                          "Qt's own options (-platform, -style, -display, ...) are passed on to Qt.\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral("brolga " BROLGA_VERSION "\n");
}

} // namespace brolga
