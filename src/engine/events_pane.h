#pragma once
// The events pane ("Untriggered Events"): what the engine waits for that the
// operator may declare as happened, and the lines Modify Schedule adds to tell
// what it did. Each entry carries its key, which a job's EventIndex holds.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/pane_row.h"
#include "model/job.h"

namespace qlr {

enum class EventKind {
  ForceCompletion,  // a job left running or unstarted when the schedule was last left
  FileTrigger,      // another job's standard trigger file
  File,             // an external file
  Modification,     // what Modify Schedule did: nothing to force
};

struct EventEntry {
  std::string text;  // JobName (8 characters) + tab + event text, or the modification line
  int16_t key = 0;
  int job = 0;  // the job the entry is for; 0 for a modification line
  EventKind kind = EventKind::ForceCompletion;

  bool forceable() const { return kind != EventKind::Modification; }
};

class EventsPane {
 public:
  // Adds the job's entry: "Force Completion", "File Trigger(NAME)" or "File(PATH)"
  // for `detail` NAME or PATH; the entry's key becomes the job's EventIndex.
  void Insert(Job& job, int index, EventKind kind, const std::string& detail = {});
  // Removes the job's entry, if it has one; EventIndex becomes -1.
  void Delete(Job& job);
  // A line of Modify Schedule's, under a key no job holds.
  void AddModification(const std::string& line);
  // A new run day: no entries, and the next key is 0.
  void Clear();

  const std::vector<EventEntry>& entries() const { return entries_; }
  // The entry at `row` when there is one that may be forced, else nullptr.
  const EventEntry* Forceable(PaneRow row) const;

 private:
  std::vector<EventEntry> entries_;
  int16_t counter_ = -1;  // back to -1 whenever the pane empties
};

}  // namespace qlr
