// TStrings: an ordered list of strings (the lines of a memo, the items of a
// list, the names of a file drop), with text file input and output.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Component.h"

class TStrings : public TObject {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const std::string& operator[](int i) const { return FItems.at(static_cast<size_t>(i)); }
  const std::string& Strings(int i) const { return (*this)[i]; }
  void SetStrings(int i, const std::string& s);
  int Add(const std::string& s);
  void Insert(int index, const std::string& s);
  void Delete(int index);
  void Clear();
  // Case-insensitive like the VCL's, in every alphabet as file names compare.
  int IndexOf(const std::string& s) const;
  const std::vector<std::string>& Items() const { return FItems; }
  void Assign(const std::vector<std::string>& items);
  // Takes the rows over without a copy (a listing of 100,000 names).
  void Assign(std::vector<std::string>&& items);

  // Lines joined with CR LF after each line.
  std::string Text() const;
  // Splits at CR LF, LF or a lone CR; a final line end adds no empty line.
  void SetText(const std::string& text);

  // Text file in the system's 8-bit code page. Failures raise EFOpenError /
  // EFCreateError with the system's message.
  void LoadFromFile(const std::string& path);
  // Writes next to the target first and then replaces it, so that a failed
  // write never leaves a half-written file in its place.
  void SaveToFile(const std::string& path) const;

  // Raised after every change.
  std::function<void(TStrings*)> OnChange;

 protected:
  virtual void Changed();

 private:
  std::vector<std::string> FItems;
};

using TStringList = TStrings;

// Splits text into lines the way TStrings::SetText does.
std::vector<std::string> SplitLines(const std::string& text);
