#pragma once
// A row of one of the execution window's lists, counted from 0. Job indexes
// are plain ints counted from 1 throughout the program; a row is never one.

namespace qlr {

struct PaneRow {
  int index = -1;  // -1: no row
};

}  // namespace qlr
