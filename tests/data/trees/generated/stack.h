#pragma once
#include <vector>

// A stack of ints.
class Stack {
  std::vector<int> items;
};
