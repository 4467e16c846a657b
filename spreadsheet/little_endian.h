// Little-endian encoding of integers and doubles into byte buffers. The raw-buffer forms
// trust the caller's bounds (the writer sizes every buffer first); the vector forms check
// them: reading past the end throws MalformedStream, writing past it is a logic error.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "spreadsheet/stream_errors.h"

namespace QExcel::LittleEndian {

template <class T>
using Bits =
    std::conditional_t<sizeof(T) == 8, std::uint64_t,
                       std::make_unsigned_t<std::conditional_t<std::is_floating_point_v<T>, std::uint32_t, T>>>;

template <class T>
size_t widthOf(int width) {
  return width > 0 && static_cast<size_t>(width) < sizeof(T) ? static_cast<size_t>(width) : sizeof(T);
}

template <class T>
void read(const char* buffer, T& value, size_t pos, int width = 0) {
  static_assert(std::is_integral_v<T> || std::is_same_v<T, double>);
  size_t n = widthOf<T>(width);
  Bits<T> bits = 0;
  for (size_t i = 0; i < n; ++i) bits |= static_cast<Bits<T>>(static_cast<unsigned char>(buffer[pos + i])) << (8 * i);
  std::memcpy(&value, &bits, sizeof(T));
  if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
    // A narrower field is sign-extended from its top bit.
    if (n < sizeof(T) && (bits >> (8 * n - 1)) & 1) value = static_cast<T>(bits | (~Bits<T>(0) << (8 * n)));
  }
}

template <class T>
void write(char* buffer, T value, size_t pos, int width = 0) {
  static_assert(std::is_integral_v<T> || std::is_same_v<T, double>);
  size_t n = widthOf<T>(width);
  Bits<T> bits;
  std::memcpy(&bits, &value, sizeof(T));
  for (size_t i = 0; i < n; ++i) buffer[pos + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

template <class T>
void read(const std::vector<char>& buffer, T& value, size_t pos, int width = 0) {
  size_t n = widthOf<T>(width);
  if (pos > buffer.size() || buffer.size() - pos < n) throw MalformedStream{"field beyond the record's data"};
  read(buffer.data(), value, pos, width);
}

template <class T>
void write(std::vector<char>& buffer, T value, size_t pos, int width = 0) {
  size_t n = widthOf<T>(width);
  if (pos > buffer.size() || buffer.size() - pos < n) throw std::out_of_range("LittleEndian::write beyond the buffer");
  write(buffer.data(), value, pos, width);
}

template <class T>
void readArray(const char* buffer, T* values, size_t pos, size_t count) {
  for (size_t i = 0; i < count; ++i) read(buffer, values[i], pos + i * sizeof(T));
}

template <class T>
void writeArray(char* buffer, const T* values, size_t pos, size_t count) {
  for (size_t i = 0; i < count; ++i) write(buffer, values[i], pos + i * sizeof(T));
}

template <class T>
void readArray(const std::vector<char>& buffer, T* values, size_t pos, size_t count) {
  if (pos > buffer.size() || (buffer.size() - pos) / sizeof(T) < count)
    throw MalformedStream{"array beyond the record's data"};
  readArray(buffer.data(), values, pos, count);
}

template <class T>
void writeArray(std::vector<char>& buffer, const T* values, size_t pos, size_t count) {
  if (pos > buffer.size() || (buffer.size() - pos) / sizeof(T) < count)
    throw std::out_of_range("LittleEndian::writeArray beyond the buffer");
  writeArray(buffer.data(), values, pos, count);
}

}  // namespace QExcel::LittleEndian
