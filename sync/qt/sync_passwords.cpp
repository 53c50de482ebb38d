#include "sync/qt/sync_passwords.h"

#include <qt6keychain/keychain.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <map>
#include <mutex>

#include "platform/qt/qt_text.h"

// The keyring is asked through QtKeychain, waiting on a local event loop. Where it does not
// answer (no secret service, as on a headless machine), the passwords of this run are kept in
// memory, shared by every thread of the process.

namespace {

constexpr char kService[] = "Koret Organizer";

struct TMemoryPasswords {
  std::mutex Lock;
  std::map<std::string, std::string> ByKey;
};

TMemoryPasswords& Memory() {
  static TMemoryPasswords memory;
  return memory;
}

std::string Key(const std::string& serverUrl, const std::string& userName) { return userName + "@" + serverUrl; }

// Runs the job to its end; whether the keyring did what was asked. Without an application
// object there is no event loop, hence no keyring.
bool Run(QKeychain::Job& job, const std::string& key) {
  if (QCoreApplication::instance() == nullptr) return false;
  job.setAutoDelete(false);
  job.setInsecureFallback(false);  // never a plain-text file instead of the keyring
  job.setKey(ToQt(key));
  bool finished = false;
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
    finished = true;
    loop.quit();
  });
  job.start();
  if (!finished) loop.exec();
  return job.error() == QKeychain::NoError;
}

}  // namespace

std::optional<std::string> TSyncPasswords::Read(const std::string& serverUrl, const std::string& userName) {
  const std::string key = Key(serverUrl, userName);
  {
    TMemoryPasswords& memory = Memory();
    const std::lock_guard lock(memory.Lock);
    if (const auto kept = memory.ByKey.find(key); kept != memory.ByKey.end()) return kept->second;
  }
  QKeychain::ReadPasswordJob job(QString::fromLatin1(kService));
  if (!Run(job, key)) return std::nullopt;
  return FromQt(job.textData());
}

bool TSyncPasswords::Write(const std::string& serverUrl, const std::string& userName, const std::string& password) {
  const std::string key = Key(serverUrl, userName);
  QKeychain::WritePasswordJob job(QString::fromLatin1(kService));
  job.setTextData(ToQt(password));
  const bool stored = Run(job, key);
  TMemoryPasswords& memory = Memory();
  const std::lock_guard lock(memory.Lock);
  if (stored) memory.ByKey.erase(key);
  else memory.ByKey[key] = password;
  return stored;
}

void TSyncPasswords::Forget(const std::string& serverUrl, const std::string& userName) {
  const std::string key = Key(serverUrl, userName);
  {
    TMemoryPasswords& memory = Memory();
    const std::lock_guard lock(memory.Lock);
    memory.ByKey.erase(key);
  }
  QKeychain::DeletePasswordJob job(QString::fromLatin1(kService));
  Run(job, key);
}
