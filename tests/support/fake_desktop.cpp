#include "tests/support/fake_desktop.h"

void TFakeMessagePoster::Post(TMessageTarget& target, int message) {
  Queue_.push_back({target.Liveness(), &target, message});
}

int TFakeMessagePoster::DeliverAll() {
  int delivered = 0;
  while (!Queue_.empty()) {
    TPosted posted = Queue_.front();
    Queue_.pop_front();
    if (posted.Alive.expired()) continue;
    posted.Target->HandleMessage(posted.Message);
    ++delivered;
  }
  return delivered;
}

int TFakeMessageBoxes::Choose(const std::string& text, const std::vector<std::string>&) {
  Shown.push_back({text, mkConfirmation, mbYesNoCancel});
  if (Choices.empty()) return -1;
  const int choice = Choices.front();
  Choices.pop_front();
  return choice;
}

TMessageResult TFakeMessageBoxes::Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) {
  Shown.push_back({text, kind, buttons});
  if (!Answers.empty()) {
    const TMessageResult answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  switch (buttons) {
    case mbOK: return mrOk;
    case mbYesNo: return mrNo;
    default: return mrCancel;
  }
}

bool TFakeSoundPlayer::PlayAsync(const std::string& wavPath) {
  Played.push_back(wavPath);
  return Succeeds;
}
