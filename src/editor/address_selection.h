#pragma once
// "Email Address Selection": picks a message's recipients from the address
// files (EmailAddrPath/NAME.adr) and gives them back as "NAME1,NAME2".

#include <string>
#include <vector>

#include "model/schedule.h"
#include "platform/operator.h"

namespace qlr {

struct AddressEntry {
  std::string name;  // the file name up to its first ".", upper-cased
  std::string text;  // name + "(" + first field of the file's first line + ")"
  bool selected = false;
};

class AddressSelection {
 public:
  // `sel_addr_list`: the exchange value, comma-separated names (quotes allowed).
  AddressSelection(const Schedule& schedule, Operator& op, std::string& sel_addr_list);

  // Lists the address files and selects the names of the exchange value;
  // names without a file are told in one message (and dropped at OK).
  void Open();
  void Select(int row, bool selected);
  // OK: the exchange value becomes the selected names, in list order.
  void Ok();
  // Cancel: the exchange value keeps what it held at opening.
  void Cancel();
  // Closing the window otherwise tells "Address selection cancelled" and cancels.
  void CloseRequested();

  const std::vector<AddressEntry>& entries() const { return entries_; }

 private:
  void ReadAddressFiles();
  void PreSelect();

  const Schedule& schedule_;
  Operator& op_;
  std::string& sel_addr_list_;
  std::string at_opening_;
  std::vector<AddressEntry> entries_;
};

}  // namespace qlr
