#include "platform/Keychain.h"

#include <QEventLoop>
#include <QHash>
#include <QTimer>

#include <qt6keychain/keychain.h>

namespace brolga {

namespace {

// Passwords the keychain would not take, for this run only.
QHash<QString, QString> &remembered()
{
    static QHash<QString, QString> passwords;
    return passwords;
}

// QtKeychain answers through a signal; the settings need the answer before they go on. A keychain that does not
// answer at all (a service that hangs) is given up on after a while.
bool finish(QKeychain::Job &job)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    return job.error() == QKeychain::NoError;
}

} // namespace

QString Keychain::password(const QString &account)
{
    QKeychain::ReadPasswordJob job(QString::fromLatin1(service));
    job.setKey(account);
    if (finish(job))
        return job.textData();
    if (const auto kept = remembered().constFind(account); kept != remembered().cend())
        return *kept;
    return qEnvironmentVariable("PGPASSWORD");
}

bool Keychain::setPassword(const QString &account, const QString &password)
{
    QKeychain::WritePasswordJob job(QString::fromLatin1(service));
    job.setKey(account);
    job.setTextData(password);
    // Never QtKeychain's fallback to a plain settings file.
    job.setInsecureFallback(false);
    if (finish(job)) {
        remembered().remove(account);
        return true;
    }
    remembered().insert(account, password);
    return false;
}

} // namespace brolga
