#include "framework/Classes.h"


#include "framework/Files.h"
#include "framework/SystemNames.h"
#include "framework/TextRules.h"
#include "framework/Types.h"
#include "framework/WideText.h"

void TStrings::Changed() {
  if (OnChange) OnChange(this);
}

void TStrings::SetStrings(int i, const std::string& s) {
  FItems.at(static_cast<size_t>(i)) = s;
  Changed();
}

int TStrings::Add(const std::string& s) {
  FItems.push_back(s);
  Changed();
  return Count() - 1;
}

void TStrings::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) throw EListError("List index out of bounds");
  FItems.insert(FItems.begin() + index, s);
  Changed();
}

void TStrings::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds");
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStrings::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TStrings::IndexOf(const std::string& s) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (SameNameIgnoringCase(FItems[i], s)) return static_cast<int>(i);
  return -1;
}

void TStrings::Assign(const std::vector<std::string>& items) {
  FItems = items;
  Changed();
}

void TStrings::Assign(std::vector<std::string>&& items) {
  FItems = std::move(items);
  Changed();
}

std::string TStrings::Text() const {
  std::string t;
  for (const std::string& s : FItems) {
    t += s;
    t += "\r\n";
  }
  return t;
}

void TStrings::SetText(const std::string& text) { Assign(SplitLines(text)); }

void TStrings::LoadFromFile(const std::string& path) {
  SetText(DecodeTextBytes(ReadWholeFile(path)).Text);
}

void TStrings::SaveToFile(const std::string& path) const { WriteWholeFile(path, Text()); }
