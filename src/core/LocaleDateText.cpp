#include "core/LocaleDateText.h"

#include "core/GbkText.h"

namespace core {

namespace {

// One element of a picture: a run of one field letter, or literal text.
struct TPictureToken {
  char Letter = 0;  // 0 for literal text
  size_t Count = 0;
  std::string Literal;
};

bool IsFieldLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'g' || c == 'h' || c == 'H' || c == 'm' || c == 's' ||
         c == 't';
}

void AppendLiteral(std::vector<TPictureToken>& tokens, const std::string& text) {
  if (tokens.empty() || tokens.back().Letter != 0) tokens.push_back(TPictureToken());
  tokens.back().Literal += text;
}

std::vector<TPictureToken> Tokenize(const std::string& picture) {
  std::vector<TPictureToken> tokens;
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (c == '\'') {
      // Quoted literal; two quotes inside stand for one.
      std::string literal;
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            literal += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        size_t len = GbkCharLength(picture, i);
        literal.append(picture, i, len);
        i += len;
      }
      AppendLiteral(tokens, literal);
    } else if (IsFieldLetter(c)) {
      TPictureToken token;
      token.Letter = c;
      while (i < picture.size() && picture[i] == c) ++token.Count, ++i;
      tokens.push_back(token);
    } else {
      size_t len = GbkCharLength(picture, i);
      AppendLiteral(tokens, picture.substr(i, len));
      i += len;
    }
  }
  return tokens;
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct TParsed {
  int Year = -1, TwoDigitYear = -1, Month = -1, Day = -1;
  int Hour = 0, Minute = 0, Second = 0;
  bool TwelveHour = false;
  int Designator = 0;  // 0 none, 1 AM, 2 PM
};

class TTextReader {
 public:
  explicit TTextReader(const std::string& text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  void SkipSpaces() {
    while (!AtEnd() && IsSpace(text_[pos_])) ++pos_;
  }

  bool Number(size_t maxDigits, int& value) {
    size_t start = pos_;
    int v = 0;
    while (!AtEnd() && IsDigit(text_[pos_]) && pos_ - start < maxDigits) v = v * 10 + (text_[pos_++] - '0');
    if (pos_ == start) return false;
    value = v;
    return true;
  }

  // Literal text: spaces match any run of spaces, everything else must match.
  bool Literal(const std::string& literal) {
    size_t i = 0;
    while (i < literal.size()) {
      if (IsSpace(literal[i])) {
        while (i < literal.size() && IsSpace(literal[i])) ++i;
        SkipSpaces();
        continue;
      }
      size_t len = GbkCharLength(literal, i);
      if (!SameTextGbk(text_.substr(pos_, len), literal.substr(i, len))) return false;
      pos_ += len;
      i += len;
    }
    return true;
  }

  // Index of the longest name in names that the text continues with, or -1.
  int Name(const std::vector<std::string>& names) {
    int best = -1;
    size_t bestLen = 0;
    for (size_t k = 0; k < names.size(); ++k) {
      const std::string& name = names[k];
      if (name.size() > bestLen && SameTextGbk(text_.substr(pos_, name.size()), name)) {
        best = static_cast<int>(k);
        bestLen = name.size();
      }
    }
    pos_ += bestLen;
    return best;
  }

  // An era name: any run of characters up to the next digit or space.
  void SkipEra() {
    while (!AtEnd() && !IsDigit(text_[pos_]) && !IsSpace(text_[pos_])) pos_ += GbkCharLength(text_, pos_);
  }

 private:
  const std::string& text_;
  size_t pos_ = 0;
};

std::string FirstCharacter(const std::string& text) {
  return text.empty() ? text : text.substr(0, GbkCharLength(text, 0));
}

bool ReadDesignator(TTextReader& reader, const TLocaleDateTimeFormat& format, size_t count, TParsed& parsed) {
  std::vector<std::string> names = {format.AMDesignator, format.PMDesignator};
  if (count == 1) names = {FirstCharacter(format.AMDesignator), FirstCharacter(format.PMDesignator)};
  // Empty designators are written as nothing and leave the hour as it is.
  if (names[0].empty() && names[1].empty()) return true;
  int index = reader.Name(names);
  if (index < 0) return false;
  parsed.Designator = index + 1;
  return true;
}

bool ReadField(TTextReader& reader, const TPictureToken& token, const TLocaleDateTimeFormat& format,
               TParsed& parsed) {
  switch (token.Letter) {
    case 'd':
      if (token.Count <= 2) return reader.Number(2, parsed.Day);
      // The weekday follows from the date; its name is only stepped over.
      return reader.Name(token.Count == 3 ? format.AbbrevDayNames : format.DayNames) >= 0 ||
             reader.Name(token.Count == 3 ? format.DayNames : format.AbbrevDayNames) >= 0;
    case 'M': {
      if (token.Count <= 2) return reader.Number(2, parsed.Month);
      int index = reader.Name(token.Count == 3 ? format.AbbrevMonthNames : format.MonthNames);
      if (index < 0) index = reader.Name(token.Count == 3 ? format.MonthNames : format.AbbrevMonthNames);
      if (index < 0 || index > 11) return false;
      parsed.Month = index + 1;
      return true;
    }
    case 'y':
      if (token.Count <= 2) return reader.Number(2, parsed.TwoDigitYear);
      return reader.Number(4, parsed.Year);
    case 'g':
      reader.SkipEra();
      return true;
    case 'h':
      parsed.TwelveHour = true;
      return reader.Number(2, parsed.Hour);
    case 'H':
      return reader.Number(2, parsed.Hour);
    case 'm':
      return reader.Number(2, parsed.Minute);
    case 's':
      return reader.Number(2, parsed.Second);
    case 't':
      return ReadDesignator(reader, format, token.Count, parsed);
  }
  return false;
}

bool ReadPicture(TTextReader& reader, const std::string& picture, const TLocaleDateTimeFormat& format,
                 TParsed& parsed) {
  for (const TPictureToken& token : Tokenize(picture)) {
    bool ok = token.Letter ? ReadField(reader, token, format, parsed) : reader.Literal(token.Literal);
    if (!ok) return false;
  }
  return true;
}

int FullYear(int twoDigits, int twoDigitYearMax) {
  int year = twoDigitYearMax - twoDigitYearMax % 100 + twoDigits;
  return year > twoDigitYearMax ? year - 100 : year;
}

}  // namespace

bool ParseLocaleDateTime(const std::string& text, const TLocaleDateTimeFormat& format,
                         TDateTimeFields& fields) {
  TTextReader reader(text);
  TParsed parsed;
  reader.SkipSpaces();
  if (!ReadPicture(reader, format.DatePicture, format, parsed)) return false;
  reader.SkipSpaces();
  if (!reader.AtEnd()) {
    if (!ReadPicture(reader, format.TimePicture, format, parsed)) return false;
    reader.SkipSpaces();
    if (!reader.AtEnd()) return false;
  }
  TDateTimeFields f;
  if (parsed.Year < 0 && parsed.TwoDigitYear >= 0) parsed.Year = FullYear(parsed.TwoDigitYear, format.TwoDigitYearMax);
  if (parsed.Year < 0 || parsed.Month < 0 || parsed.Day < 0) return false;
  f.Year = parsed.Year;
  f.Month = parsed.Month;
  f.Day = parsed.Day;
  f.Hour = parsed.Hour;
  if (parsed.TwelveHour && parsed.Designator != 0) {
    if (f.Hour < 1 || f.Hour > 12) return false;
    if (parsed.Designator == 2 && f.Hour < 12) f.Hour += 12;
    if (parsed.Designator == 1 && f.Hour == 12) f.Hour = 0;
  }
  f.Minute = parsed.Minute;
  f.Second = parsed.Second;
  double check;
  if (!EncodeDateTime(f, check)) return false;
  fields = f;
  return true;
}

}  // namespace core
