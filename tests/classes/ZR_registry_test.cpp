#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cmd/ZR_Object.h"
#include "cmd/ZR_Option.h"

namespace {

// The language's whole vocabulary in its fixed order.
const char* const kVocabulary[] = {
    "ZR_Object",
    "ZR_Soundpipe",
    "ZR_Buffer",
    "ZR_Effect",
    "ZR_Effect_Zero",
    "ZR_Effect_Hipass",
    "ZR_Effect_Lgd",
    "ZR_Effect_Lopass",
    "ZR_Effect_Freqmul",
    "ZR_Effect_Nefreqmul",
    "ZR_Effect_Gtzero",
    "ZR_Effect_Ltzero",
    "ZR_Effect_Bapass",
    "ZR_Effect_Ampdet",
    "ZR_Effect_Copy",
    "ZR_Effect_Oper",
    "ZR_Effect_Koef",
    "ZR_Effect_Dist",
    "ZR_Effect_Deline",
    "ZR_Effect_Oversam",
    "ZR_Effect_Shift",
    "ZR_Effect_Nshift",
    "ZR_Fourier_Transform",
    "ZR_Fourier_Noisegate",
    "ZR_Gener",
    "ZR_Gener_White",
    "ZR_Gener_Exp",
    "ZR_Wid",
    "ZR_Wid_Pic",
    "ZR_Wid_Butt",
    "ZR_Wid_Knob",
    "ZR_Wid_Pal",
    "ZR_Wid_Text",
};

TEST(Registry, NamesItsClassesInTheLanguagesOrder) {
  std::vector<std::string> registered;
  for (const ZR_Class* row = _ZR; row->name; ++row) registered.push_back(row->name);
  EXPECT_EQ(registered, std::vector<std::string>(std::begin(kVocabulary), std::end(kVocabulary)));
}

// Every option table starts with its constructor row and its chain ends in the object base's table,
// so "delete" is found from every class.
TEST(Registry, EveryTableChainEndsInTheObjectBase) {
  for (const ZR_Class* row = _ZR; row->name; ++row) {
    ASSERT_NE(row->options, nullptr) << row->name;
    EXPECT_STREQ(row->options[0].name, "") << row->name;
    const ZR_Option* table = row->options;
    const ZR_Option* last = table;
    for (int depth = 0; table && depth < 8; ++depth) {
      last = table;
      const ZR_Option* entry = table + 1;
      while (entry->name) ++entry;
      table = entry->next;
    }
    EXPECT_EQ(table, nullptr) << row->name << ": the chain must end";
    EXPECT_EQ(last, ZR_Object::table) << row->name;
  }
}

}  // namespace
