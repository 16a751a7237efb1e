#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace brolga {

// brolga's own command line, read before there is an application object, so that --help, --version and a
// mistyped option answer without opening a display or reading the stored record. Qt's own options
// (-platform, -style, -session from the session manager, ...) are left for QApplication.
class CommandLine {
  public:
    enum class Request { run, help, version, mistake };

    // `arguments` starts with the program, as argv does.
    explicit CommandLine(const QStringList &arguments);
    CommandLine(int argc, char *argv[]);

    Request request() const { return request_; }
    // Started by the desktop at login (LoginItem::argument).
    bool atLogin() const { return atLogin_; }
    // One line, for a mistake.
    const QString &error() const { return error_; }

    // Help, the version or a mistake: writes the answer (mistakes to `err`) and gives the exit status, 0 or
    // usageStatus. Nothing is written and nothing given for a run.
    std::optional<int> answer(std::FILE *out = stdout, std::FILE *err = stderr) const;

    static QString usage();
    static QString helpText();
    static QString versionText();

    static constexpr int usageStatus = 2;

  private:
    void parse(const QStringList &arguments);
    void fail(const QString &error);

    Request request_ = Request::run;
    bool atLogin_ = false;
    QString error_;
};

} // namespace brolga
