// The contacts of a lunar eclipse, one numbering for every array, loop and list column.
#pragma once

#include <array>
#include <cstddef>

namespace varomintel {

// In the order in which they happen: the Moon's limb touches the penumbra (P1), the Moon
// is wholly inside the penumbra (P2), touches the umbra (U1), is wholly inside it (U2),
// greatest eclipse (Max), and the same contacts in reverse as the Moon leaves (U3, U4,
// P3, P4).
enum class Contact : int { P1, P2, U1, U2, Max, U3, U4, P3, P4 };
inline constexpr int kContactCount = 9;

// "P1", "P2", "U1", "U2", "Max", "U3", "U4", "P3", "P4".
constexpr const char* ContactName(Contact c) {
  constexpr const char* kNames[] = {"P1", "P2", "U1", "U2", "Max", "U3", "U4", "P3", "P4"};
  const int i = static_cast<int>(c);
  return i >= 0 && i < kContactCount ? kNames[i] : "?";
}

// An array with one element per contact, indexed by Contact.
template <class T>
struct PerContact {
  std::array<T, kContactCount> values{};
  constexpr T& operator[](Contact c) { return values[static_cast<std::size_t>(c)]; }
  constexpr const T& operator[](Contact c) const { return values[static_cast<std::size_t>(c)]; }
  void fill(const T& value) { values.fill(value); }
};

// The seven contacts of a place and of the list columns, in column order. The Moon's
// entry into and exit from the whole penumbra (P2, P3) are not listed.
inline constexpr std::array<Contact, 7> kListContacts = {Contact::P1, Contact::U1, Contact::U2, Contact::Max,
                                                         Contact::U3, Contact::U4, Contact::P4};

}  // namespace varomintel
