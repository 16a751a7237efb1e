#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

namespace brolga {

// One Brolga per user session (ConfigFolderLock keeps to one per configuration folder across sessions). The
// first process to take the lock file in the runtime folder is the one that runs, and it listens on a local
// socket beside the lock. A later launch finds the lock taken, asks the running one to show its window and ends. A lock left behind
// by a process that was killed is taken over (its owner is gone), and so is a socket file it left.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `folder` holds the lock and the socket: the user's runtime folder in the program, a scratch folder in
    // tests.
    explicit SingleInstance(const QString &folder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The user's own runtime folder (XDG_RUNTIME_DIR on Linux), else the temporary folder.
    static QString defaultFolder();

    // True when this process is the one that runs: it holds the lock and listens for later launches.
    bool acquire();
    bool isPrimary() const { return primary_; }

    // From a later launch: asks the running instance to show its window. False when none answered within
    // `timeoutMs` (it may still be starting: connecting is retried until then).
    bool handOver(int timeoutMs = 3000);

    QString lockPath() const;
    QString serverName() const;

    static constexpr char showRequest[] = "show\n";

Q_SIGNALS:
    // A later launch asked for the window.
    void activationRequested();

private:
    void accept();

    QString folder_;
    QLockFile lock_;
    QLocalServer *server_ = nullptr;
    bool primary_ = false;
};

} // namespace brolga
