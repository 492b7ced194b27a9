#include "utility/UtilStr.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "utility/LogMessage.h"

namespace {

// An allocator that records every block, so tests can see when storage is made or shared.
struct CountingAllocator : UtilAllocator {
  CountingAllocator() : UtilAllocator{&Allocate, &Free, 0} {}

  static void* Allocate(UtilAllocator* self, size_t bytes) {
    auto* me = static_cast<CountingAllocator*>(self);
    ++me->liveBlocks;
    ++me->allocations;
    me->lastRequest = bytes;
    return std::malloc(bytes);
  }
  static void Free(UtilAllocator* self, void* block) {
    --self->liveBlocks;
    std::free(block);
  }

  int allocations = 0;
  size_t lastRequest = 0;
};

std::string Content(const UtilStr& s) {
  return std::string(s.Text(), s.Length());
}

int32_t RefCountOf(const UtilStr& s) {
  return s.Buffer() ? __atomic_load_n(&s.Buffer()->refCount, __ATOMIC_ACQUIRE) : 0;
}

// The block layout is shared by every string of the process: count, capacity, allocator,
// content.
static_assert(offsetof(UtilStrBuffer, refCount) == 0);
static_assert(offsetof(UtilStrBuffer, capacity) == 4);
static_assert(offsetof(UtilStrBuffer, allocator) == 8);
static_assert(offsetof(UtilStrBuffer, content) == 8 + sizeof(void*));

TEST(UtilStr, ConstructionCopiesTextIntoExactBlocks) {
  struct Case {
    const char* name;
    UtilStr value;
    std::string content;
    int32_t capacity;
  };
  const Case cases[] = {
      {"default", UtilStr(), "", 0},
      {"null text", UtilStr(static_cast<const char*>(nullptr)), "", 0},
      {"empty text", UtilStr(""), "", 0},
      {"text", UtilStr("abc"), "abc", 35},
      {"ten bytes", UtilStr("0123456789"), "0123456789", 42},
      {"counted with zero byte", UtilStr("a\0b", 3), std::string("a\0b", 3), 35},
      {"negative length measures", UtilStr("abc", -1), "abc", 35},
      {"zero length", UtilStr("abc", 0), "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Content(c.value), c.content);
    EXPECT_EQ(c.value.Capacity(), c.capacity);
    EXPECT_EQ(c.value.Text()[c.value.Length()], 0);
    EXPECT_EQ(c.value.Buffer() == nullptr, c.capacity == 0);
  }
}

TEST(UtilStr, EmptyStringsShareOneStaticText) {
  UtilStr a, b("");
  EXPECT_EQ(a.Text(), b.Text());
  EXPECT_STREQ(a.Text(), "");
}

TEST(UtilStr, GrowthReservesAQuarterPlus32) {
  CountingAllocator counting;
  {
    UtilStr s(&counting);  // an empty block, so that every later block is counted
    s.Assign("0123456789", 10);
    EXPECT_EQ(s.Capacity(), 42);
    EXPECT_EQ(counting.lastRequest, UtilStrBuffer::HeaderSize() + 42 + 2);

    const UtilStrBuffer* before = s.Buffer();
    s.Append(std::string(20, 'x').c_str(), 20);  // 31 < 42: in place
    EXPECT_EQ(s.Buffer(), before);
    EXPECT_EQ(s.Capacity(), 42);

    UtilStr t(&counting);
    t.Assign("0123456789", 10);
    t.Append(std::string(40, 'y').c_str(), 40);  // 50 bytes: 50 + 50 / 4 + 32
    EXPECT_EQ(t.Capacity(), 94);
    EXPECT_EQ(Content(t), "0123456789" + std::string(40, 'y'));
    EXPECT_EQ(counting.liveBlocks, 2);  // the replaced blocks went back
  }
  EXPECT_EQ(counting.liveBlocks, 0);
}

TEST(UtilStr, SlackIsCappedAt20000) {
  UtilStr s("a");
  s.Append(nullptr, 200000);
  EXPECT_EQ(s.Length(), 200001);
  EXPECT_EQ(s.Capacity(), 200001 + 20000);
}

TEST(UtilStr, CopiesShareUntilOneChanges) {
  CountingAllocator counting;
  UtilStr original(&counting);
  original.Assign("0123456789", 10);
  const int allocationsBefore = counting.allocations;

  UtilStr copy(original);
  EXPECT_EQ(copy.Buffer(), original.Buffer());
  EXPECT_EQ(RefCountOf(original), 2);
  EXPECT_EQ(counting.allocations, allocationsBefore);

  copy.Append("!", 1);
  EXPECT_EQ(Content(original), "0123456789");
  EXPECT_EQ(Content(copy), "0123456789!");
  EXPECT_NE(copy.Buffer(), original.Buffer());
  EXPECT_EQ(RefCountOf(original), 1);
  EXPECT_EQ(counting.allocations, allocationsBefore + 1);

  // Back to a count of 1, the original changes in place.
  const UtilStrBuffer* block = original.Buffer();
  original.Append("?", 1);
  EXPECT_EQ(original.Buffer(), block);
  EXPECT_EQ(counting.allocations, allocationsBefore + 1);
}

TEST(UtilStr, AssignmentSharesAndReleasesTheOldBlock) {
  CountingAllocator counting;
  UtilStr a(&counting), b(&counting);
  a.Assign("first", 5);
  b.Assign("second", 6);
  EXPECT_EQ(counting.liveBlocks, 2);
  b = a;
  EXPECT_EQ(counting.liveBlocks, 1);
  EXPECT_EQ(b.Buffer(), a.Buffer());
  EXPECT_EQ(Content(b), "first");

  UtilStr& self = a;
  a = self;  // assigning to itself changes nothing
  EXPECT_EQ(RefCountOf(a), 2);
  EXPECT_EQ(Content(a), "first");
}

TEST(UtilStr, AssignEmptyReleasesTheBlockAndNullMakesRoom) {
  UtilStr s("abc");
  s.Assign(nullptr, 5);
  EXPECT_EQ(s.Length(), 5);
  EXPECT_EQ(s.Text()[5], 0);
  s.Assign("", -1);
  EXPECT_EQ(s.Length(), 0);
  EXPECT_EQ(s.Buffer(), nullptr);
  s.Assign(static_cast<const char*>(nullptr), -1);
  EXPECT_EQ(s.Buffer(), nullptr);
}

TEST(UtilStr, AppendsOfItsOwnText) {
  UtilStr small("abc");  // in place
  small.Append(small);
  EXPECT_EQ(Content(small), "abcabc");
  small.Append(small.Text() + 1, 4);  // overlapping source and destination
  EXPECT_EQ(Content(small), "abcabcbcab");

  UtilStr large(std::string(40, 'z').c_str());  // grows: the old block must outlive the copy
  large.Append(large);
  EXPECT_EQ(Content(large), std::string(80, 'z'));

  UtilStr nothing("abc");
  nothing.Append("xyz", 0);
  nothing.Append(nullptr, -1);
  EXPECT_EQ(Content(nothing), "abc");
  nothing.Append(nullptr, 2);  // room of unspecified content
  EXPECT_EQ(nothing.Length(), 5);
  EXPECT_EQ(nothing.Text()[5], 0);
}

TEST(UtilStr, AppendCharStaysInPlaceUntilTheLastTwoPlaces) {
  UtilStr s("0123456789");  // capacity 42
  const UtilStrBuffer* block = s.Buffer();
  while (s.Length() < 40) s.AppendChar('x');
  EXPECT_EQ(s.Buffer(), block);
  s.AppendChar('!');  // 40 + 2 is not below 42
  EXPECT_NE(s.Buffer(), block);
  EXPECT_EQ(s.Capacity(), 41 + 41 / 4 + 32);
  EXPECT_EQ(Content(s), "0123456789" + std::string(30, 'x') + "!");

  UtilStr empty;
  empty.AppendChar('a');
  EXPECT_EQ(Content(empty), "a");

  UtilStr shared("ab");
  UtilStr copy(shared);
  copy.AppendChar('c');
  EXPECT_EQ(Content(shared), "ab");
  EXPECT_EQ(Content(copy), "abc");
}

TEST(UtilStr, AppendFormatGrowsUntilTheTextFits) {
  UtilStr s;
  const std::string big(5000, 'q');
  EXPECT_EQ(s.AppendFormat("%s", big.c_str()), 5000);
  EXPECT_EQ(Content(s), big);
  // 150 reserved (capacity 182), then four steps of 1000: 1150, 2150, 3150, 4150 bytes.
  EXPECT_EQ(s.Capacity(), 4150 + 4150 / 4 + 32);

  UtilStr line("n=");
  EXPECT_EQ(line.AppendFormat("%d, %s", 42, "ok"), 8);
  EXPECT_EQ(Content(line), "n=42, ok");

  UtilStr copy(line);
  copy.AppendFormat("%c", '!');
  EXPECT_EQ(Content(line), "n=42, ok");
  EXPECT_EQ(Content(copy), "n=42, ok!");

  UtilStr wide("x");  // a result far beyond the room is reached without a thousand passes
  EXPECT_EQ(wide.AppendFormat("%*d", 300000, 7), 300001);
  EXPECT_EQ(wide.Text()[300000], '7');
  EXPECT_EQ(wide.Text()[1], ' ');

  CountingAllocator counting;  // an empty block shared by two strings
  UtilStr emptyBlock(&counting, 8);
  UtilStr sharesIt(emptyBlock);
  EXPECT_EQ(sharesIt.AppendFormat("%d", 5), 1);
  EXPECT_EQ(Content(sharesIt), "5");
  EXPECT_EQ(emptyBlock.Length(), 0);

  UtilStr none("keep");
  EXPECT_EQ(none.AppendFormat("%s", ""), 4);
  EXPECT_EQ(Content(none), "keep");
}

TEST(UtilStr, AppendFloatUsesTheNumberText) {
  UtilStr s("x=");
  s.AppendFloat(-0.5);
  s.AppendChar(' ');
  s.AppendFloat(2.0);
  EXPECT_EQ(Content(s), "x=-0.5 2");
}

TEST(UtilStr, AppendEscapedWritesBackslashForms) {
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  };
  const Case cases[] = {
      {"controls", "\t\n\f\r", "\\t\\n\\f\\r"},
      {"quotes and backslash", "\"'\\", "\\\"\\'\\\\"},
      {"zero byte", std::string("a\0b", 3), "a\\0b"},
      {"hexadecimal", "\x01\x1F\x80\xFF", "\\x01\\x1F\\x80\\xFF"},
      {"printable and delete", " ~\x7F", " ~\x7F"},
      {"long, staged in pieces", std::string(1000, '\xAB'),
       [] {
         std::string out;
         for (int i = 0; i < 1000; ++i) out += "\\xAB";
         return out;
       }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UtilStr s("<");
    s.AppendEscaped(c.input.data(), static_cast<int32_t>(c.input.size()));
    EXPECT_EQ(Content(s), "<" + c.expected);
  }
  UtilStr s("x");
  s.AppendEscaped("abc", 0);
  s.AppendEscaped(nullptr, 5);
  s.AppendEscaped("a\tb", -1);
  EXPECT_EQ(Content(s), "xa\\tb");
}

TEST(UtilStr, AppendDebugValueShowsCodesNumbersOrHexadecimal) {
  struct Case {
    int64_t value;
    const char* expected;
  };
  const Case cases[] = {
      {0x57696E64, "'Wind'"},
      {-20000, "-0x4E20"},
      {42, "42"},
      {10000, "10000"},
      {-10000, "-10000"},
      {10001, "0x2711"},
      {0x100000, "0x100000"},      // not above the code threshold
      {0x100001, "0x100001"},      // its characters are not printable
      {0x27410000, "0x27410000"},  // zero bytes are not printable either
      {0x27414227, "'\\'AB\\''"},  // printable, escaped between the quotes
      {std::numeric_limits<int64_t>::min(), "-0x8000000000000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    UtilStr s;
    s.AppendDebugValue(c.value);
    EXPECT_EQ(Content(s), c.expected);
  }
}

TEST(UtilStr, PrepareBufferKeepsOrMakesAPrivateBlock) {
  CountingAllocator counting;
  UtilStr s(&counting);
  char* area = s.PrepareBuffer(10);
  EXPECT_EQ(s.Capacity(), 42);
  EXPECT_EQ(area, s.Text());
  EXPECT_EQ(s.Length(), 0);
  const UtilStrBuffer* block = s.Buffer();
  s.Append("0123456789", 10);  // up to n bytes need no new block
  EXPECT_EQ(s.Buffer(), block);

  EXPECT_EQ(s.PrepareBuffer(20), s.Text());  // exclusive and large enough: kept, emptied
  EXPECT_EQ(s.Buffer(), block);
  EXPECT_EQ(s.Length(), 0);
  EXPECT_EQ(s.Text()[0], 0);

  UtilStr shared(&counting);
  shared.Assign("abc", 3);
  UtilStr copy(shared);
  copy.PrepareBuffer(5);
  EXPECT_NE(copy.Buffer(), shared.Buffer());
  EXPECT_EQ(Content(shared), "abc");

  UtilStr huge(&counting);
  huge.PrepareBuffer(200000);
  const int allocations = counting.allocations;
  huge.PrepareBuffer(100000);  // 200032 - 100000 - 1 is above 99998: given back
  EXPECT_EQ(counting.allocations, allocations + 1);
  EXPECT_EQ(huge.Capacity(), 100032);
  huge.PrepareBuffer(2);  // 100032 - 2 - 1 is 100029: also too large to keep
  EXPECT_EQ(huge.Capacity(), 34);
  huge.PrepareBuffer(200);  // larger than the block: a new one
  EXPECT_EQ(huge.Capacity(), 232);
  huge.PrepareBuffer(231);  // capacity above n: kept
  EXPECT_EQ(huge.Capacity(), 232);
  EXPECT_EQ(counting.allocations, allocations + 3);

  EXPECT_EQ(s.PrepareBuffer(0), UtilStr().Text());
  EXPECT_EQ(s.Buffer(), nullptr);
  EXPECT_EQ(s.PrepareBuffer(std::numeric_limits<int32_t>::max()), nullptr);
  EXPECT_EQ(s.Length(), 0);
}

TEST(UtilStr, RemoveLast) {
  UtilStr s("hello world");
  const UtilStrBuffer* block = s.Buffer();
  s.RemoveLast(6);  // exclusive: in place
  EXPECT_EQ(Content(s), "hello");
  EXPECT_EQ(s.Buffer(), block);
  s.RemoveLast(0);
  s.RemoveLast(-3);
  EXPECT_EQ(Content(s), "hello");

  UtilStr copy(s);
  copy.RemoveLast(2);  // shared: a private copy of exact size
  EXPECT_EQ(Content(copy), "hel");
  EXPECT_EQ(copy.Capacity(), 3 + 32);
  EXPECT_EQ(Content(s), "hello");

  copy.RemoveLast(3);
  EXPECT_EQ(copy.Length(), 0);
  EXPECT_EQ(copy.Buffer(), nullptr);
  s.RemoveLast(100);
  EXPECT_EQ(s.Buffer(), nullptr);
  s.RemoveLast(1);  // empty: nothing
  EXPECT_EQ(s.Length(), 0);
}

TEST(UtilStr, ReplaceRanges) {
  const std::string kSixty(60, 'H');
  struct Case {
    const char* name;
    int32_t start;
    int32_t count;
    const char* bytes;
    int32_t n;
    std::string expected;
    int32_t change;
  };
  const Case cases[] = {
      {"same length", 0, 5, "HELLO", 5, "HELLO world", 0},
      {"shorter", 0, 5, "hi", 2, "hi world", -3},
      {"insert", 0, 0, "> ", 2, "> hello world", 2},
      {"middle", 6, 1, "W", -1, "hello World", 0},
      {"tail removed", 6, 5, "", 0, "hello ", -5},
      {"all removed", 0, 11, nullptr, 0, "", -11},
      {"clamped", -5, 100, "x", 1, "x", -10},
      {"start past the end", 50, 3, "!", 1, "hello world!", 1},
      {"nothing", 0, 0, "", 0, "hello world", 0},
      {"grows past the block", 0, 1, kSixty.c_str(), 60, kSixty + "ello world", 59},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UtilStr s("hello world");
    UtilStr copy(s);
    EXPECT_EQ(s.Replace(c.start, c.count, c.bytes, c.n), c.change);
    EXPECT_EQ(Content(s), c.expected);
    EXPECT_EQ(Content(copy), "hello world");  // a shared original is never touched
    EXPECT_EQ(s.Text()[s.Length()], 0);
    if (c.expected.empty()) {
      EXPECT_EQ(s.Buffer(), nullptr);
    }
  }
}

TEST(UtilStr, ReplaceInPlaceAndFromItsOwnText) {
  UtilStr s("hello world");
  const UtilStrBuffer* block = s.Buffer();
  EXPECT_EQ(s.Replace(0, 5, "HEY", 3), -2);
  EXPECT_EQ(s.Buffer(), block);  // exclusive with room: no new block
  EXPECT_EQ(Content(s), "HEY world");

  EXPECT_EQ(s.Replace(0, 3, s.Text() + 4, 5), 2);  // source inside the moving tail
  EXPECT_EQ(Content(s), "world world");
}

TEST(UtilStr, Utf16Conversions) {
  UtilStr s;
  s.AssignUtf16(u"A\u00E9\u20AC\xD83D\xDE00", -1);
  EXPECT_EQ(Content(s), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(s.Capacity(), 10 + 32);

  s.AssignUtf16(u"abc", 2);
  EXPECT_EQ(Content(s), "ab");
  s.AssignUtf16(u"", -1);
  EXPECT_EQ(s.Buffer(), nullptr);
  s.AssignUtf16(nullptr, 4);
  EXPECT_EQ(s.Length(), 0);

  struct Case {
    const char* text;
    int32_t size;
    bool fits;
    std::u16string written;
  };
  const Case cases[] = {
      {"abc", 10, true, u"abc"},
      {"abc", 8, false, u"abc"},  // exactly the maximum of size / 2 - 1
                                  // units
      {"abc", 6, false, u"ab"},
      {"abc", 4, false, u"a"},
      {"e\xCC\x81", 4, false, u"\u00E9"},  // composed into the only place
      {"e\xCC\x81", 6, true, u"\u00E9"},
      {"", 4, true, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.size));
    char16_t out[8];
    std::fill(std::begin(out), std::end(out), u'#');
    EXPECT_EQ(UtilStr(c.text).ToUtf16(out, c.size), c.fits);
    EXPECT_EQ(std::u16string(out), c.written);
    EXPECT_EQ(out[c.size / 2], u'#');  // nothing past the given size
  }
  char16_t tiny[2] = {u'#', u'#'};
  EXPECT_FALSE(UtilStr("a").ToUtf16(tiny, 3));
  EXPECT_EQ(tiny[0], u'#');
  EXPECT_FALSE(UtilStr("a").ToUtf16(nullptr, 100));
}

TEST(UtilStr, CompareTakesTheOtherTextFirst) {
  UtilStr abc("abc"), abd("abd"), upper("ABC");
  EXPECT_EQ(abc.Compare(&abd, true), 'd' - 'c');
  EXPECT_EQ(abd.Compare(&abc, true), 'c' - 'd');
  EXPECT_EQ(abc.Compare(&upper, false), 0);
  EXPECT_LT(abc.Compare(&upper, true), 0);
  EXPECT_TRUE(abc == UtilStr("abc"));
  EXPECT_TRUE(abc != abd);

  // Objects without a text form sort before those with one.
  NVObject plain, other;
  EXPECT_EQ(plain.Compare(&other, true), 0);
  EXPECT_LT(abc.Compare(&plain, true), 0);
  EXPECT_GT(plain.Compare(&abc, true), 0);
}

TEST(UtilStr, ReleaseDestroysAHeapString) {
  CountingAllocator counting;
  auto* s = new UtilStr(&counting);
  s->Assign("abc", 3);
  EXPECT_EQ(s->RefCount(), 1);
  EXPECT_EQ(s->toString(), s);
  EXPECT_EQ(s->Release(), 0);
  EXPECT_EQ(counting.liveBlocks, 0);
}

TEST(UtilStr, DefaultAllocatorCountsLiveBlocks) {
  const int64_t before = DefaultUtilAllocator()->liveBlocks;
  {
    UtilStr a("abc");
    UtilStr b(a);
    EXPECT_EQ(DefaultUtilAllocator()->liveBlocks, before + 1);
  }
  EXPECT_EQ(DefaultUtilAllocator()->liveBlocks, before);
}

TEST(UtilStr, SharedBlockSurvivesCopiesOnSeveralThreads) {
  CountingAllocator counting;
  UtilStr original(&counting);
  original.Assign("shared text", 11);
  const int allocations = counting.allocations;

  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&original] {
      for (int i = 0; i < 20000; ++i) {
        UtilStr copy(original);
        UtilStr second;
        second = copy;
        if (second.Length() != 11) std::abort();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(RefCountOf(original), 1);
  EXPECT_EQ(counting.allocations, allocations);
  EXPECT_EQ(counting.liveBlocks, 1);
}

TEST(UtilStr, LastCopyOnAnotherThreadFreesTheBlock) {
  CountingAllocator counting;
  std::vector<std::thread> threads;
  {
    UtilStr original(&counting);
    original.Assign("x", 1);
    for (int t = 0; t < 4; ++t) {
      threads.emplace_back([copy = UtilStr(original)]() mutable {
        for (int i = 0; i < 1000; ++i) {
          UtilStr again(copy);
          copy = again;
        }
      });
    }
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(counting.liveBlocks, 0);
}

TEST(UtilStr, HostileLengthsLeaveTheStringAsItWas) {
  UtilStr s("abc");
  const char dummy[4] = "xyz";
  s.Append(dummy, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(Content(s), "abc");
  EXPECT_EQ(s.Replace(0, 0, dummy, std::numeric_limits<int32_t>::max()), 0);
  EXPECT_EQ(Content(s), "abc");
  s.Assign(nullptr, UtilStr::kMaxLength + 1);
  EXPECT_EQ(Content(s), "abc");
  s.Assign(nullptr, std::numeric_limits<int32_t>::min());  // negative without text: empty
  EXPECT_EQ(s.Length(), 0);
}

class UtilStrPrint : public ::testing::Test {
 protected:
  void SetUp() override { EnableCategory(1); }

  // The address as the debug lines show it: the low 32 bits in upper-case hexadecimal.
  static std::string HexAddress(const void* object) {
    char text[32];
    snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(object)));
    return text;
  }

  static std::string Printed(NVObject& object) {
    testing::internal::CaptureStdout();
    object.Print();
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(UtilStrPrint, DescribesPrintableAndBinaryContent) {
  struct Case {
    const char* name;
    std::string content;
    std::string description;
  };
  const Case cases[] = {
      {"short", "abc", "'abc'"},
      {"empty", "", "''"},
      {"exactly 100", std::string(100, 'p'), "'" + std::string(100, 'p') + "'"},
      {"150 printable", std::string(150, 'p'),
       "'" + std::string(100, 'p') + "'<50 additional bytes>"},
      {"binary tail", "ab\x01z", "'ab'<2 additional bytes>"},
      {"binary",
       "\x01"
       "abc",
       "<4 bytes binary data>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UtilStr s(c.content.data(), static_cast<int32_t>(c.content.size()));
    EXPECT_EQ(Printed(s), "UtilStr (" + HexAddress(&s) + "): " + c.description + "\n");
  }
}

TEST_F(UtilStrPrint, ObjectShowsItsAddressAndText) {
  struct Named : NVObject {
    UtilStr name{"named"};
    UtilStr* toString() override { return &name; }
  };
  NVObject plain;
  Named named;
  EXPECT_EQ(Printed(plain), "NVObject (" + HexAddress(&plain) + ")\n");
  EXPECT_EQ(Printed(named), "NVObject (" + HexAddress(&named) + ") toString() = 'named'\n");
}

}  // namespace
