#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_boxes.h"
#include "platform/message_queue.h"
#include "platform/sound.h"

// Posted messages wait in a queue until the test delivers them.
class TFakeMessagePoster : public TMessagePoster {
 public:
  void Post(TMessageTarget& target, int message) override;
  // Delivers queued messages, also those posted while delivering, in order; returns how many
  // reached a live target.
  int DeliverAll();
  size_t Pending() const { return Queue_.size(); }

 private:
  struct TPosted {
    std::weak_ptr<void> Alive;
    TMessageTarget* Target;
    int Message;
  };
  std::deque<TPosted> Queue_;
};

// Message boxes answered from a script; every box shown is recorded. With the script empty a
// question gets the cautious answer (No or Cancel).
class TFakeMessageBoxes : public TMessageBoxes {
 public:
  struct TShown {
    std::string Text;
    TMessageKind Kind;
    TMessageButtons Buttons;
  };
  TMessageResult Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) override;
  // Records the question as shown with mbYesNoCancel and takes the next of Choices (-1 without).
  int Choose(const std::string& text, const std::vector<std::string>& choices) override;

  std::deque<TMessageResult> Answers;
  std::deque<int> Choices;
  std::vector<TShown> Shown;
};

// Records what it was asked to play; whether playing succeeds is up to the test.
class TFakeSoundPlayer : public TSoundPlayer {
 public:
  bool PlayAsync(const std::string& wavPath) override;
  bool Playing() const override { return StillPlaying; }
  void Beep() override { Played.push_back("<beep>"); }

  bool Succeeds = true;
  bool StillPlaying = false;        // what Playing answers
  std::vector<std::string> Played;  // file names, "<beep>" for the alert sound
};
