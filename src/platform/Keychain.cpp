#include "platform/Keychain.h"

#include <QEventLoop>
#include <QHash>
#include <QPointer>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include <memory>

namespace brolga {

namespace {

// Passwords the keychain would not take, for this run only.
QHash<QString, QString> &remembered()
{
    static QHash<QString, QString> passwords;
    return passwords;
}

// The job last given up on, until its answer comes (it deletes itself then).
QPointer<QKeychain::Job> &unanswered()
{
    static QPointer<QKeychain::Job> job;
    return job;
}

// QtKeychain answers through a signal; the settings need the answer before they go on. A keychain that does not
// answer (a service that hangs, an unlock prompt left open) is given up on after a while, as if it had said no.
// Its job stays to take the late answer, which would otherwise reach a deleted job, and until then the keychain
// is not asked again: QtKeychain runs one job at a time, so the next would only wait behind it.
template <class Job> std::unique_ptr<Job> answered(std::unique_ptr<Job> job)
{
    if (unanswered())
        return nullptr;
    job->setAutoDelete(false);
    bool done = false;
    QEventLoop loop;
    QObject::connect(job.get(), &QKeychain::Job::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    job->start();
    loop.exec();
    if (done && job->error() == QKeychain::NoError)
        return job;
    if (!done) {
        job->setAutoDelete(true);
        unanswered() = job.release();
    }
    return nullptr;
}

} // namespace

QString Keychain::password(const QString &account)
{
    auto job = std::make_unique<QKeychain::ReadPasswordJob>(QString::fromLatin1(service));
    job->setKey(account);
    if (const auto read = answered(std::move(job)))
        return read->textData();
    if (const auto kept = remembered().constFind(account); kept != remembered().cend())
        return *kept;
    return qEnvironmentVariable("PGPASSWORD");
}

bool Keychain::setPassword(const QString &account, const QString &password)
{
    auto job = std::make_unique<QKeychain::WritePasswordJob>(QString::fromLatin1(service));
    job->setKey(account);
    job->setTextData(password);
    // Never QtKeychain's fallback to a plain settings file.
    job->setInsecureFallback(false);
    if (answered(std::move(job))) {
        remembered().remove(account);
        return true;
    }
    remembered().insert(account, password);
    return false;
}

} // namespace brolga
