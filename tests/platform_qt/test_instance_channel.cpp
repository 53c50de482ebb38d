#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QLocalSocket>

#include <cstring>

#include "platform/qt/instance_channel.h"
#include "tests/support/run_until.h"
#include "tests/support/temporary_folder.h"

namespace {

class InstanceChannel : public ::testing::Test {
 protected:
  std::string SocketPath() const { return Folder_.File("KORET_MUTEX.socket"); }

  // What a client that is not the program sends: the bytes as given, then it hangs up.
  void SendRaw(const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(SocketPath()));
    ASSERT_TRUE(socket.waitForConnected(1000));
    if (!bytes.isEmpty()) {
      socket.write(bytes);
      ASSERT_TRUE(socket.waitForBytesWritten(1000));
    }
    socket.disconnectFromServer();
  }

  TTemporaryFolder Folder_;
};

TEST_F(InstanceChannel, EachRequestOfALaterStartShowsTheWindowOnce) {
  TInstanceChannel channel(SocketPath());
  int shown = 0;
  ASSERT_TRUE(channel.Listen([&] { ++shown; })) << channel.Error();
  EXPECT_TRUE(TInstanceChannel::AskToShow(SocketPath(), 1000));
  EXPECT_TRUE(RunUntil([&] { return shown == 1; }, 2000));
  EXPECT_TRUE(TInstanceChannel::AskToShow(SocketPath(), 1000));
  EXPECT_TRUE(RunUntil([&] { return shown == 2; }, 2000));
  RunUntil([] { return false; }, 100);
  EXPECT_EQ(shown, 2);
}

TEST_F(InstanceChannel, OnlyTheUserCanReachTheSocket) {
  TInstanceChannel channel(SocketPath());
  ASSERT_TRUE(channel.Listen([] {}));
  struct stat info {};
  ASSERT_EQ(::stat(SocketPath().c_str(), &info), 0);
  EXPECT_TRUE(S_ISSOCK(info.st_mode));
  EXPECT_EQ(info.st_mode & 077, 0u) << std::oct << info.st_mode;
}

TEST_F(InstanceChannel, WithNobodyListeningTheAskFailsAtOnce) {
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(TInstanceChannel::AskToShow(SocketPath(), 1000));
  EXPECT_LT(clock.elapsed(), 500);
}

TEST_F(InstanceChannel, ASocketLeftByACrashedCopyIsTakenOver) {
  // A socket file nobody listens on any more, as a copy killed outright leaves it.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, SocketPath().c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ::close(fd);
  EXPECT_FALSE(TInstanceChannel::AskToShow(SocketPath(), 500));

  TInstanceChannel channel(SocketPath());
  int shown = 0;
  ASSERT_TRUE(channel.Listen([&] { ++shown; })) << channel.Error();
  EXPECT_TRUE(TInstanceChannel::AskToShow(SocketPath(), 1000));
  EXPECT_TRUE(RunUntil([&] { return shown == 1; }, 2000));
}

TEST_F(InstanceChannel, AnythingButTheRequestShowsNothing) {
  TInstanceChannel channel(SocketPath());
  int shown = 0;
  ASSERT_TRUE(channel.Listen([&] { ++shown; }));
  const struct {
    const char* Name;
    QByteArray Bytes;
  } cases[] = {
      {"nothing", QByteArray()},
      {"a part of the request", QByteArray("sho")},
      {"another word", QByteArray("quit\n")},
      {"the request in capitals", QByteArray("SHOW\n")},
      {"without its line end", QByteArray("showX")},
      {"a long stream", QByteArray(100000, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    SendRaw(c.Bytes);
  }
  RunUntil([] { return false; }, 300);
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(TInstanceChannel::AskToShow(SocketPath(), 1000)) << "the channel still listens";
  EXPECT_TRUE(RunUntil([&] { return shown == 1; }, 2000));
}

TEST_F(InstanceChannel, AFolderThatIsNotThereIsTold) {
  TInstanceChannel channel(Folder_.File("gone/KORET_MUTEX.socket"));
  EXPECT_FALSE(channel.Listen([] {}));
  EXPECT_NE(channel.Error().find("gone/KORET_MUTEX.socket"), std::string::npos) << channel.Error();
}

}  // namespace
