#include "cmd/ZR_interpreter.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "ZR_probe_registry.h"
#include "cmd/ZR_Object.h"
#include "cmd/ZR_interpreter_registry.h"
#include "cmd/ZR_scan.h"

namespace {

ZR_error textCommand(std::string& text, char* out, int* capacity, ...) {
  va_list arguments;
  va_start(arguments, capacity);
  ZR_error result = ZR_command_in(kProbeRegistry, ZR_COMMAND_TEXT, text.data(), out, capacity, arguments);
  va_end(arguments);
  return result;
}

std::string capturedStdout() {
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

class Interpreter : public testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(Probe::alive, 0) << "every probe a test creates is deleted"; }
};

TEST_F(Interpreter, ClassNameAloneCreatesAndReportsThroughTheFirstArgument) {
  Probe* p = nullptr;
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "Probe", &p), ZR_OK);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->options, Probe::table);
  EXPECT_STREQ(p->creationText, "Probe");
  EXPECT_TRUE(Probe::specialNull);
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "%o -delete", p), ZR_OK);
}

TEST_F(Interpreter, ArgumentsAreTakenInTheOrderTheirWordsAreProcessed) {
  Probe* p = nullptr;
  int32_t n = 0;
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "Probe -n %i -n", &p, 512, &n), ZR_OK);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(n, 512);
  float r = 0;
  const char* t = nullptr;
  void* o = nullptr;
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "%o -r %f -o %o -t %s -r -t -o", p, 0.25, p, "word", &r, &t, &o),
            ZR_OK);
  EXPECT_EQ(r, 0.25f);
  EXPECT_STREQ(t, "word");
  EXPECT_EQ(o, p);
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
}

TEST_F(Interpreter, SelectingByAClassNameUsesThatTableAndHidesBaseOptions) {
  LoudProbe* loud = nullptr;
  ZR_exec_in(kProbeRegistry, "LoudProbe -n 1 -r 2.5", &loud);
  EXPECT_EQ(loud->n, 1001) << "the derived option hides the base's";
  EXPECT_EQ(loud->r, 2.5f) << "the search continues in the base table";
  ZR_exec_in(kProbeRegistry, "Probe %o -n 7", loud);
  EXPECT_EQ(loud->n, 7) << "the named class's table serves, whatever the object's class";
  ZR_exec_in(kProbeRegistry, "%o -n 7", loud);
  EXPECT_EQ(loud->n, 1007) << "with no class named, the object's own table serves";
  ZR_exec_in(kProbeRegistry, "%o -delete", loud);
}

TEST_F(Interpreter, TextModeReportsCreationAndResults) {
  std::string text = "Probe -n 512 -n -r -t -blob";
  char out[128];
  int capacity = sizeof out;
  ASSERT_EQ(textCommand(text, out, &capacity), ZR_OK);
  EXPECT_EQ(capacity, static_cast<int>(std::strlen(out)));
  void* created = ZR_scan(out, nullptr).value.p;
  char address[40];
  std::snprintf(address, sizeof address, "0x%llX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(created)));
  // The tag was never set, so "-t" appends an empty text between its separators.
  EXPECT_EQ(std::string(out), std::string(address) + " 512 0.000000  abcd");
  ZR_exec_in(kProbeRegistry, "%o -delete", created);
}

TEST_F(Interpreter, AnObjectPrintedInTextModeIsReadBackAndSelected) {
  std::string text = "Probe -n 41";
  char out[64];
  int capacity = sizeof out;
  ASSERT_EQ(textCommand(text, out, &capacity), ZR_OK);
  std::string select = std::string(out, static_cast<size_t>(capacity)) + " -n 42 -n";
  int32_t n = 0;
  ASSERT_EQ(ZR_exec_in(kProbeRegistry, ("Probe " + select).c_str(), &n), ZR_OK);
  EXPECT_EQ(n, 42);
  ZR_exec_in(kProbeRegistry, "%o -delete", ZR_scan(out, nullptr).value.p);
}

TEST_F(Interpreter, TextModeOverflowReportsAndWritesNothingPastTheCapacity) {
  Probe* p = nullptr;
  ZR_exec_in(kProbeRegistry, "Probe -n 123456", &p);
  std::string text = "Probe %o -n -n";
  char out[12];
  std::memset(out, '#', sizeof out);
  int capacity = 8;  // room for "123456" and its terminator, not for the second result
  EXPECT_EQ(textCommand(text, out, &capacity, p), ZR_ERROR_COMMAND_NOT_SPACE);
  EXPECT_EQ(capacity, 8) << "the used length is not stored back";
  EXPECT_EQ(std::string(out, 8), std::string("123456\0\0", 8));
  EXPECT_EQ(std::string(out + 8, 4), "####");
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
}

TEST_F(Interpreter, HandlersSeeATerminatedWordAndTheTextIsRestored) {
  Probe* p = nullptr;
  std::string text = "Probe -t alpha -n 3";
  const std::string before = text;
  char out[64];
  int capacity = sizeof out;
  ASSERT_EQ(textCommand(text, out, &capacity), ZR_OK);
  EXPECT_EQ(text, before) << "byte for byte";
  p = static_cast<Probe*>(ZR_scan(out, nullptr).value.p);
  EXPECT_EQ(p->textSeen, "alpha");
  EXPECT_EQ(p->n, 3);
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
}

TEST_F(Interpreter, NegativeNumbersAreValuesAndAMinusLetterStartsAnOption) {
  Probe* p = nullptr;
  int32_t n = 0;
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "Probe -n -1", &p), ZR_OK);
  EXPECT_EQ(p->n, -1);
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "%o -n -r -.5", p, &n), ZR_OK);
  EXPECT_EQ(n, -1) << "-n followed by an option word is a query";
  EXPECT_EQ(p->r, -.5f);
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
}

TEST_F(Interpreter, SpecialObjectIsTheTextWordAfterTheClassToTheEnd) {
  Probe* p = nullptr;
  ZR_exec_in(kProbeRegistry, "Probe current -n 4", &p);
  EXPECT_FALSE(Probe::specialNull);
  EXPECT_EQ(Probe::special, "current -n 4");
  EXPECT_EQ(p->n, 4) << "after a text word the next word is an option";
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
  ZR_exec_in(kProbeRegistry, "Probe %s", "named", &p);  // the placeholder is read before the report
  EXPECT_EQ(Probe::special, "named");
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
}

TEST_F(Interpreter, AbsentValueQueriesWithoutStoring) {
  Probe* p = nullptr;
  ZR_exec_in(kProbeRegistry, "Probe -n 9", &p);
  // No pointer argument follows: a stored result would write through garbage.
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "%o -n %", p), ZR_OK);
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "%o -n %x", p), ZR_OK);
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
}

TEST_F(Interpreter, DeleteOfANullObjectOnlyAnswers) {
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "%o -delete", nullptr), ZR_OK);
  int32_t n = 77;
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "Probe %o -n 5 -n", nullptr, &n), ZR_OK);
  EXPECT_EQ(n, 77) << "a query on no object stores nothing";
}

struct BadCommand {
  const char* text;
  ZR_error code;
  const char* output;  // what standard output shows
};

TEST_F(Interpreter, BadCommandsReportAndNeverCrash) {
  const BadCommand cases[] = {
      {"Prob -n 1", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command 'Prob -n 1' not found\n"},
      {"probe", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command 'probe' not found\n"},
      {"", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command '' not found\n"},
      {"ZR_Object -delete", ZR_ERROR_COMMAND_NOT_FOUND,
       "zrcl: command 'ZR_Object -delete' cannot create an object\n"},
      {"%i -n 3", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command '%i -n 3' does not begin with an object\n"},
      {"%s", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command '%s' does not begin with an object\n"},
      {"%", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command '%' does not begin with an object\n"},
      {"Probe 12 -n 1", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command 'Probe 12 -n 1' names no object\n"},
      {"Probe 0x10 -n", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command 'Probe 0x10 -n' names no object\n"},
      {"Probe 0x30 -n", ZR_ERROR_COMMAND_NOT_FOUND, "zrcl: command 'Probe 0x30 -n' names no object\n"},
  };
  for (const BadCommand& c : cases) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(ZR_exec_in(kProbeRegistry, c.text, reinterpret_cast<void*>(0x30)), c.code) << c.text;
    EXPECT_EQ(capturedStdout(), c.output) << c.text;
  }
}

TEST_F(Interpreter, AnEmptyOptionWordAfterAnObjectPlaceholderCreatesNothing) {
  Probe* p = nullptr;
  ZR_exec_in(kProbeRegistry, "Probe", &p);
  testing::internal::CaptureStdout();
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "%o  -n", p), ZR_ERROR_COMMAND_NOT_FOUND);
  EXPECT_EQ(capturedStdout(), "zrcl: command '%o  -n' names no class to create\n");
  EXPECT_EQ(Probe::alive, 1);
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
}

TEST_F(Interpreter, UnknownOptionKeepsWhatEarlierWordsDid) {
  Probe* p = nullptr;
  testing::internal::CaptureStdout();
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "Probe -n 5 -nope 3 -n 6", &p), ZR_ERROR_COMMAND_NOT_PARAM);
  EXPECT_EQ(capturedStdout(), "zrcl: Probe -n 5 -nope 3 -n 6\nzrcl: param 'nope 3 -n 6' not found\n");
  ASSERT_NE(p, nullptr) << "the object was created all the same";
  EXPECT_EQ(p->n, 5);
  testing::internal::CaptureStdout();
  EXPECT_EQ(ZR_exec_in(kProbeRegistry, "%o -n % -n 8", p), ZR_ERROR_COMMAND_NOT_PARAM)
      << "an absent value is allowed only at the end";
  capturedStdout();
  EXPECT_EQ(p->n, 5);
  ZR_exec_in(kProbeRegistry, "%o -delete", p);
}

// Random commands over the whole vocabulary of words and shapes: none may crash, leak, write past the
// capacity or leave the text changed.
TEST_F(Interpreter, RandomCommandsAreHandledSafely) {
  const char* const words[] = {"Probe", "LoudProbe", "ZR_Object", "-n", "-r",         "-t", "-o",  "-blob",
                               "-",     "-nope",     "%",         "%x", "12",         "-3", ".5",  "1e+",
                               "0x",    "0x10",      "abc",       "",   "4294967295", "-.", "\xff"};
  std::mt19937 random(2024);
  for (int run = 0; run < 3000; ++run) {
    std::string text;
    int count = 1 + static_cast<int>(random() % 7);
    for (int w = 0; w < count; ++w) {
      if (w) text += ' ';
      text += words[random() % std::size(words)];
    }
    const std::string before = text;
    char out[40];
    std::memset(out, '#', sizeof out);
    int capacity = 32;
    testing::internal::CaptureStdout();
    ZR_error result = textCommand(text, out, &capacity);
    capturedStdout();
    EXPECT_EQ(text, before);
    EXPECT_EQ(std::string(out + 32, 8), "########") << before;
    if (result == ZR_OK) {
      EXPECT_LT(capacity, 32) << before;
    }
  }
  while (!Probe::everyProbe.empty()) delete *Probe::everyProbe.begin();
}

TEST(InterpreterRegistry, TheProductRegistryStartsWithTheObjectBase) {
  EXPECT_STREQ(_ZR[0].name, "ZR_Object");
  EXPECT_EQ(_ZR[0].options, ZR_Object::table);
}

}  // namespace
