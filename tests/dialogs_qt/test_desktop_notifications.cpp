#include <gtest/gtest.h>
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <optional>

#include "dialogs/qt/alarm_notify_form.h"
#include "model/event.h"
#include "platform/english_locale.h"
#include "platform/qt/desktop_notifications.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/planner_fixture.h"

namespace {

// The desktop's notification service as a test double on a private bus: it records the calls and
// answers Notify with the next number.
class TFakeNotificationServer : public QDBusVirtualObject {
 public:
  struct TNotify {
    QString Summary, Body, Icon;
    QStringList Actions;
    uchar Urgency = 0;
  };
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QList<QVariant> args = message.arguments();
    if (message.member() == "Notify" && args.size() == 8) {
      const QVariantMap hints = qdbus_cast<QVariantMap>(args[6]);
      Notified.push_back({args[3].toString(), args[4].toString(), args[2].toString(), args[5].toStringList(),
                          hints.value("urgency").value<uchar>()});
      connection.send(message.createReply(QVariant::fromValue(uint(Notified.size()))));
    } else if (message.member() == "CloseNotification" && args.size() == 1) {
      Closed.push_back(args[0].toUInt());
      connection.send(message.createReply());
    } else {
      connection.send(message.createErrorReply(QDBusError::UnknownMethod, message.member()));
    }
    return true;
  }
  QString introspect(const QString&) const override { return {}; }

  std::vector<TNotify> Notified;
  std::vector<uint> Closed;
};

// A private session bus (its own daemon), the fake service on one connection and the program's
// notifications on another.
class DesktopNotifications : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    Daemon_.start(daemon, {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(Daemon_.waitForStarted(5000));
    ASSERT_TRUE(Daemon_.waitForReadyRead(5000));
    Address_ = QString::fromUtf8(Daemon_.readLine()).trimmed();
    Clock.Set(At(2024, 5, 13, 10, 5));
    Event.SetStartTime(At(2024, 5, 13, 10, 0));
    Event.SetEndTime(At(2024, 5, 13, 11, 0));
    Event.SetDescription("Dentist");
    Event.SetLocation("Main Street 4");
    Form.emplace(Clock, Locale, Event, clInfoBk);
  }
  void TearDown() override {
    QDBusConnection::disconnectFromBus("koret-test-server");
    QDBusConnection::disconnectFromBus("koret-test-program");
    Daemon_.kill();
    Daemon_.waitForFinished(5000);
  }
  // Puts the fake service on the bus.
  void StartServer() {
    QDBusConnection server = QDBusConnection::connectToBus(Address_, "koret-test-server");
    ASSERT_TRUE(server.isConnected());
    ASSERT_TRUE(server.registerService("org.freedesktop.Notifications"));
    ASSERT_TRUE(server.registerVirtualObject("/org/freedesktop/Notifications", &Server));
  }
  QDBusConnection ProgramBus() const { return QDBusConnection::connectToBus(Address_, "koret-test-program"); }
  // What the user does on the desktop's notification, once it is there.
  void ClickAction(const QString& key) {
    QTimer::singleShot(0, [this, key, before = Server.Notified.size()] {
      const bool notified = QTest::qWaitFor([&] { return Server.Notified.size() > before; }, 5000);
      if (!notified) return CloseWindows();
      QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/Notifications",
                                                       "org.freedesktop.Notifications", "ActionInvoked");
      signal << uint(Server.Notified.size()) << key;
      EXPECT_TRUE(QDBusConnection("koret-test-server").send(signal));
    });
  }
  // Ends a test that went wrong rather than leaving a window waiting.
  static void CloseWindows() {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<TAlarmNotifyForm*>(window)) form->reject();
  }
  // The button the user presses in the reminder window.
  static void PressInWindow(const char* button) {
    QTimer::singleShot(200, [button] {
      for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TAlarmNotifyForm*>(window); form != nullptr && form->isVisible())
          Control<QPushButton>(*form, button).click();
    });
  }

  TFakeNotificationServer Server;
  TFakeClock Clock;
  TEnglishLocale Locale;
  TVpEvent Event;
  std::optional<TVpNotificationRules> Form;

 private:
  QProcess Daemon_;
  QString Address_;
};

TEST_F(DesktopNotifications, AReminderShowsThereAndItsActionsAnswerTheWindow) {
  StartServer();
  const struct {
    const char* Key;
    TVpReminderAnswer Answer;
  } cases[] = {{"snooze", raSnooze}, {"dismiss", raDismiss}, {"default", raOpenItem}};
  TDesktopNotifications notifications(ProgramBus());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Key);
    Form->SelectSnooze(3);
    ClickAction(c.Key);
    QTimer::singleShot(10'000, &CloseWindows);
    TQtReminderWindow window(&notifications);
    EXPECT_EQ(window.Show(*Form, {}), c.Answer);
    if (c.Answer == raSnooze) {
      EXPECT_EQ(Form->SnoozeIndex(), 0) << "\"Snooze 5 minutes\"";
    }
    ASSERT_FALSE(Server.Notified.empty());
    const TFakeNotificationServer::TNotify& shown = Server.Notified.back();
    EXPECT_EQ(shown.Summary, "Dentist");
    EXPECT_EQ(shown.Body, "Monday, May 13, 2024, 10:00 AM \u2013 11:00 AM\nMain Street 4");
    EXPECT_EQ(shown.Icon, "koret");
    EXPECT_EQ(shown.Actions, (QStringList{"snooze", "Snooze 5 minutes", "dismiss", "Dismiss", "default", "Open"}));
    EXPECT_EQ(shown.Urgency, 2) << "overdue: critical";
  }
}

TEST_F(DesktopNotifications, AnAnswerInTheWindowTakesTheNotificationAway) {
  StartServer();
  TDesktopNotifications notifications(ProgramBus());
  Clock.Set(At(2024, 5, 13, 9, 50));
  Form.emplace(Clock, Locale, Event, clInfoBk);
  PressInWindow("DismissBtn");
  TQtReminderWindow window(&notifications);
  EXPECT_EQ(window.Show(*Form, {}), raDismiss);
  ASSERT_EQ(Server.Notified.size(), 1u);
  EXPECT_EQ(Server.Notified[0].Urgency, 1) << "not yet overdue: normal";
  EXPECT_TRUE(QTest::qWaitFor([this] { return !Server.Closed.empty(); }, 5000));
  EXPECT_EQ(Server.Closed, std::vector<uint>{1});
}

TEST_F(DesktopNotifications, WithoutAServiceOrWhenSwitchedOffTheWindowAloneShows) {
  TDesktopNotifications notifications(ProgramBus());
  PressInWindow("SnoozeBtn");
  TQtReminderWindow window(&notifications);
  EXPECT_EQ(window.Show(*Form, {}), raSnooze);
  StartServer();
  notifications.SetEnabled(false);
  EXPECT_EQ(notifications.Show({"Dentist", "", "koret", {}, false}, nullptr), 0u);
  QTest::qWait(100);
  EXPECT_TRUE(Server.Notified.empty());
}

}  // namespace
