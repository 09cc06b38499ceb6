#pragma once
// The end-of-job message hand-off: when a job ends the engine asks for its
// normal or abnormal message to be left for the mail sender.

#include <string>
#include <vector>

#include "model/job.h"
#include "model/schedule.h"

namespace qlr {

struct MessageRequest {
  int job = 0;  // index in the job table
  std::string to, cc;
  MessageTexts texts;  // 0 the subject, 1..4 the body entries
  MessageTexts flags;  // "Fil Var Att Flt Del" per body entry
  bool callout = false;
};

class EndOfJobMessages {
 public:
  virtual ~EndOfJobMessages() = default;
  virtual void GenMessage(Schedule& schedule, const MessageRequest& request) = 0;
};

// Keeps the requests instead of writing message files.
class RecordingMessages : public EndOfJobMessages {
 public:
  void GenMessage(Schedule&, const MessageRequest& request) override {
    requests.push_back(request);
  }
  std::vector<MessageRequest> requests;
};

}  // namespace qlr
