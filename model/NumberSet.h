#pragma once
// Number sets and their range texts.
//
// A number set is a packed bit array owned by its caller: number n (n >= 1)
// is bit position n - 1, position p lives in byte p / 8 under the mask
// 0x80 >> (p % 8). Every operation takes the set as a span, so it knows the
// set's size, and ignores positions outside it: nothing is ever written past
// the end of a set, and bits outside it read as clear.
//
// A range text lists the members as comma-separated numbers and ranges, such
// as "1-5,7,12-14" (lower-case hexadecimal in the hex form); "0" is the empty
// set. Parsers read the one shared range-text buffer (at most 499 characters),
// filled by SetRangeText; RangesToText leaves its result there too.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Capacity of the shared range-text buffer, terminator included.
inline constexpr size_t kRangeTextBufferSize = 500;
inline constexpr size_t kRangeTextMaxLength = kRangeTextBufferSize - 1;
// Result of the searches when no position qualifies.
inline constexpr unsigned kNoBitPosition = 65535;
// Once the display text has grown this long it is cut short with ",...".
inline constexpr size_t kRangeTextDisplayLimit = 285;

// The standard set for object numbers: large enough for every kind of
// number in use (relays up to 960, amplifier channels up to 255, ...).
inline constexpr unsigned kNumberSetBits = 2048;
inline constexpr size_t kNumberSetBytes = kNumberSetBits / 8;
using NumberSet = std::array<uint8_t, kNumberSetBytes>;

// --- The shared buffer ----------------------------------------------------

// Zero-fills the buffer and copies `text` into it; returns the length copied.
// A text longer than 499 characters is cut after its last whole item that
// fits, and the next parse of the buffer reports failure (the numbers of the
// items kept still count), so no number is ever read from half an item.
size_t SetRangeText(std::string_view text);
// The text now in the buffer.
std::string GetRangeText();

// --- Bits -------------------------------------------------------------------

void SetBit(std::span<uint8_t> set, unsigned position, bool on);
bool TestBit(std::span<const uint8_t> set, unsigned position);
// Writes the low `count` bits of `value` (count <= 32; more positions get 0)
// into positions first .. first + count - 1, the value's lowest bit into the
// last position.
void SetBitsFromValue(std::span<uint8_t> set, unsigned first, unsigned count, uint32_t value);
// Sets or clears `count` positions from `first`.
void FillBits(std::span<uint8_t> set, unsigned first, unsigned count, bool on);
// First position in from..to (inclusive) whose bit is clear / set;
// kNoBitPosition when there is none or from > to.
unsigned NextClearBit(std::span<const uint8_t> set, unsigned from, unsigned to);
unsigned NextSetBit(std::span<const uint8_t> set, unsigned from, unsigned to);

// --- Parsing the buffer -------------------------------------------------------

// Parses the buffer as a decimal range text into the set (numbers 1..max),
// after clearing positions 0..max - 1. False on failure; the set then holds
// what was parsed before the fault.
bool ParseRanges(std::span<uint8_t> set, unsigned max);
// The same with hexadecimal numbers.
bool ParseRangesHex(std::span<uint8_t> set, unsigned max);
// Parses with the conversion letter ('u' or 'd' decimal, 'x' or 'X'
// hexadecimal); each value minus `offset` (as a 16-bit number) is the bit
// position and must be below max; 0 has no special meaning.
bool ParseRangesFmt(std::span<uint8_t> set, unsigned max, unsigned offset, char letter);

// Shorthands: SetRangeText(text), then the parse.
bool ParseRanges(std::span<uint8_t> set, unsigned max, std::string_view text);
bool ParseRangesHex(std::span<uint8_t> set, unsigned max, std::string_view text);
// A text that is wholly decimal numbers, commas and dashes, parsed as
// ParseRanges does; any other character fails before the parse, so "1e2",
// "0x10" or a word never read as the number they start with.
bool ParseDecimalRanges(std::span<uint8_t> set, unsigned max, std::string_view text);
// The counterpart of RangesToString: parses `text` itself, whatever its
// length, as ParseRanges parses the buffer, which is left alone. The form
// for texts that are read whole, such as the device's lists of free numbers
// (every third entry of a table of 250 in use makes a list of 595 characters).
bool ParseRangesString(std::span<uint8_t> set, unsigned max, std::string_view text);

// --- Writing ------------------------------------------------------------------

// Writes positions 0..count - 1 as a range text into the buffer and returns
// its length. For display: a long text is cut short with ",...".
size_t RangesToText(std::span<const uint8_t> set, unsigned count);
size_t RangesToTextHex(std::span<const uint8_t> set, unsigned count);
// The complete range text of positions 0..count - 1, never cut short: the
// form for every text that is kept or sent. The buffer is left alone.
std::string RangesToString(std::span<const uint8_t> set, unsigned count);
std::string RangesToStringHex(std::span<const uint8_t> set, unsigned count);

// A range text over numbers 1..max without `numbers`: "0" once none is
// left. A text that is no range text ("ALL", "NONE") stays as it is.
std::string RangeTextWithout(const std::string& text, unsigned max, std::span<const int32_t> numbers);

// The range text of the given object numbers (those of the selected rows of
// a list); numbers below 1 are left out. The text covers every number given
// and is never cut short; it is also placed in the buffer (SetRangeText).
std::string GetSelectedNumbersText(std::span<const int> numbers);
