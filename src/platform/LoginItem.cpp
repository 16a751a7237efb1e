#include "platform/LoginItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#if defined(Q_OS_WIN)
#include <QSettings>
#endif

#if defined(Q_OS_MACOS)
#include <objc/message.h>
#include <objc/runtime.h>
#endif

namespace brolga {

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID) && !defined(Q_OS_IOS)
#define BROLGA_XDG_AUTOSTART 1
#endif

QString programOrSelf(const QString &program)
{
    return program.isEmpty() ? QCoreApplication::applicationFilePath() : program;
}

#if defined(BROLGA_XDG_AUTOSTART)
// The desktop's own switches for an entry it should skip: "Hidden" from the standard, and GNOME's flag.
bool switchedOff(const QByteArray &entry)
{
    bool inMainGroup = false;
    for (QByteArray line : entry.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('['))
            inMainGroup = line == "[Desktop Entry]";
        if (!inMainGroup)
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false"))
            return true;
    }
    return false;
}
#endif

// A desktop entry's string value: backslash and control characters escaped.
QString escaped(const QString &text)
{
    QString value;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': value += QStringLiteral("\\\\"); break;
        case '\n': value += QStringLiteral("\\n"); break;
        case '\t': value += QStringLiteral("\\t"); break;
        case '\r': value += QStringLiteral("\\r"); break;
        default: value += c;
        }
    }
    return value;
}

#if defined(Q_OS_MACOS)
template <class R = void *, class... Args> R send(void *target, const char *selector, Args... args)
{
    using Fn = R (*)(void *, SEL, Args...);
    return reinterpret_cast<Fn>(objc_msgSend)(target, sel_registerName(selector), args...);
}

// [SMAppService mainAppService]: the running bundle as a login item (macOS 13 and later).
void *mainAppService()
{
    void *serviceClass = reinterpret_cast<void *>(objc_getClass("SMAppService"));
    return serviceClass ? send(serviceClass, "mainAppService") : nullptr;
}
#endif

#if defined(Q_OS_WIN)
const QString runKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString runValue = QStringLiteral("Brolga");
#endif

} // namespace

bool LoginItem::isSupported()
{
#if defined(BROLGA_XDG_AUTOSTART) || defined(Q_OS_WIN)
    return true;
#elif defined(Q_OS_MACOS)
    return mainAppService() != nullptr;
#else
    return false;
#endif
}

bool LoginItem::isEnabled()
{
#if defined(BROLGA_XDG_AUTOSTART)
    QFile file(autostartFile());
    return file.open(QIODevice::ReadOnly) && !switchedOff(file.readAll());
#elif defined(Q_OS_MACOS)
    void *service = mainAppService();
    return service && send<long>(service, "status") == 1; // SMAppServiceStatusEnabled
#elif defined(Q_OS_WIN)
    return QSettings(runKey, QSettings::NativeFormat).contains(runValue);
#else
    return false;
#endif
}

bool LoginItem::setEnabled(bool on, const QString &program)
{
#if defined(BROLGA_XDG_AUTOSTART)
    const QString path = autostartFile();
    if (!on)
        return !QFileInfo::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(desktopEntry(programOrSelf(program)));
    return file.commit();
#elif defined(Q_OS_MACOS)
    Q_UNUSED(program);                                    // the service registers the running bundle itself
    void *service = mainAppService();
    if (!service)
        return false;
    return send<bool, void *>(service, on ? "registerAndReturnError:" : "unregisterAndReturnError:", nullptr);
#elif defined(Q_OS_WIN)
    QSettings run(runKey, QSettings::NativeFormat);
    if (on)
        run.setValue(runValue, u'"' + QDir::toNativeSeparators(programOrSelf(program)) + QStringLiteral("\" ") +
                                   QLatin1String(argument));
    else
        run.remove(runValue);
    run.sync();
    return run.status() == QSettings::NoError;
#else
    Q_UNUSED(on);
    Q_UNUSED(program);
    return false;
#endif
}

QString LoginItem::autostartFile()
{
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/brolga.desktop");
}

// TryExec makes the desktop skip the entry once the program is gone, say after the package was removed.
QByteArray LoginItem::desktopEntry(const QString &program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Brolga\n"
                                        "Comment=Puts Brolga in the system tray when you log in\n"
                                        "TryExec=%1\n"
                                        "Exec=%2 %3\n"
                                        "Icon=brolga\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(escaped(program), execValue(program), QLatin1String(argument));
    return text.toUtf8();
}

QString LoginItem::execValue(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool quote = std::any_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); });
    QString argument;
    if (quote) {
        argument += u'"';
        for (QChar c : program) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                argument += u'\\';
            argument += c;
        }
        argument += u'"';
    } else {
        argument = program;
    }
    // The key is a string value too: its own escapes apply on top of the quoting, and % starts a field code.
    return escaped(argument).replace(u'%', QStringLiteral("%%"));
}

} // namespace brolga
