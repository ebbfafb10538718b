#include "platform/richedit/rtf_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

#include "rtf/hex_pairs.h"

namespace qm::richedit {

namespace {

constexpr std::array<FontFamily, 3> kFamilies = {FontFamily::Times, FontFamily::Courier, FontFamily::Helvetica};

class Writer {
 public:
  explicit Writer(const RichText& text) : text_(text) { collectTables(); }

  std::string write() {
    out_.reserve(static_cast<size_t>(text_.length()) + 256);
    writeHeader();
    out_ += "\\viewkind4\\uc1\\pard";
    delimiterPending_ = true;
    for (const auto& paragraph : text_.paragraphs()) {
      for (const auto& run : paragraph.runs) {
        switchTo(run.format);
        if (run.picture) {
          writePicture(*run.picture);
        } else {
          writeText(run.text);
        }
      }
      switchTo(paragraph.endFormat);
      out_ += "\\par\n";
      delimiterPending_ = false;
    }
    out_ += "}\n";
    return std::move(out_);
  }

 private:
  void collectTables() {
    std::array<bool, 3> used{};
    auto note = [&](const CharFormat& format) {
      used[static_cast<size_t>(format.font)] = true;
      if (format.colour != Rgb{} && std::find(colours_.begin(), colours_.end(), format.colour) == colours_.end()) {
        colours_.push_back(format.colour);
      }
    };
    for (const auto& paragraph : text_.paragraphs()) {
      for (const auto& run : paragraph.runs) note(run.format);
      note(paragraph.endFormat);
    }
    int next = 0;
    for (FontFamily family : kFamilies) {
      fontNumber_[static_cast<size_t>(family)] = used[static_cast<size_t>(family)] ? next++ : -1;
    }
  }

  void writeHeader() {
    out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (FontFamily family : kFamilies) {
      int number = fontNumber_[static_cast<size_t>(family)];
      if (number < 0) continue;
      out_ += "{\\f";
      appendNumber(number);
      out_ += "\\fnil\\fcharset0 ";
      out_ += familyName(family);
      out_ += ";}";
    }
    out_ += "}\n{\\colortbl ;";
    for (const Rgb& colour : colours_) {
      out_ += "\\red";
      appendNumber(colour.red);
      out_ += "\\green";
      appendNumber(colour.green);
      out_ += "\\blue";
      appendNumber(colour.blue);
      out_ += ';';
    }
    out_ += "}\n";
  }

  int colourNumber(const Rgb& colour) const {
    if (colour == Rgb{}) return 0;
    return static_cast<int>(std::find(colours_.begin(), colours_.end(), colour) - colours_.begin()) + 1;
  }

  void word(const char* name) {
    out_ += name;
    delimiterPending_ = true;
  }
  void word(const char* name, int value) {
    out_ += name;
    appendNumber(value);
    delimiterPending_ = true;
  }

  // Writes the control words that turn the current format into `format`.
  void switchTo(const CharFormat& format) {
    if (!started_ || format.font != current_.font) word("\\f", fontNumber_[static_cast<size_t>(format.font)]);
    if (!started_ || format.halfPoints != current_.halfPoints) word("\\fs", format.halfPoints);
    if ((!started_ && format.colour != Rgb{}) || (started_ && format.colour != current_.colour)) {
      word("\\cf", colourNumber(format.colour));
    }
    if ((started_ ? current_.bold : false) != format.bold) word(format.bold ? "\\b" : "\\b0");
    if ((started_ ? current_.italic : false) != format.italic) word(format.italic ? "\\i" : "\\i0");
    if ((started_ ? current_.underline : false) != format.underline) word(format.underline ? "\\ul" : "\\ulnone");
    if ((started_ ? current_.hidden : false) != format.hidden) word(format.hidden ? "\\v" : "\\v0");
    current_ = format;
    started_ = true;
  }

  static bool plain(unsigned char byte) { return byte >= 32 && byte < 128 && byte != '\\' && byte != '{' && byte != '}'; }

  void writeText(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
      auto byte = static_cast<unsigned char>(text[i]);
      if (plain(byte)) {
        // A run of plain ASCII goes out as it stands.
        size_t end = i + 1;
        while (end < text.size() && plain(static_cast<unsigned char>(text[end]))) ++end;
        if (delimiterPending_) {
          out_ += ' ';
          delimiterPending_ = false;
        }
        out_.append(text, i, end - i);
        i = end - 1;
        continue;
      }
      char c = text[i];
      if (byte == '\t') {
        word("\\tab");
        continue;
      }
      if (byte < 32) continue;
      if (delimiterPending_) {
        out_ += ' ';
        delimiterPending_ = false;
      }
      if (byte == '\\' || byte == '{' || byte == '}') {
        out_ += '\\';
        out_ += c;
      } else if (byte >= 128 && rtf::kYieldingPairs[byte]) {
        static constexpr char kHex[] = "0123456789abcdef";
        out_ += "\\'";
        out_ += kHex[byte >> 4];
        out_ += kHex[byte & 15];
      } else {
        // ASCII, and the characters above 127 that the program's reader
        // takes only as plain bytes (en dash, quotes, guillemets ...).
        out_ += c;
      }
    }
  }

  void writePicture(const Picture& picture) {
    out_ += "{\\pict\\jpegblip\\picw";
    appendNumber(picture.width);
    out_ += "\\pich";
    appendNumber(picture.height);
    out_ += "\\picwgoal";
    appendNumber(picture.width * 15);
    out_ += "\\pichgoal";
    appendNumber(picture.height * 15);
    out_ += '\n';
    static constexpr char kHex[] = "0123456789abcdef";
    size_t column = 0;
    for (char c : picture.jpeg) {
      auto byte = static_cast<unsigned char>(c);
      out_ += kHex[byte >> 4];
      out_ += kHex[byte & 15];
      if (++column == 64) {
        out_ += '\n';
        column = 0;
      }
    }
    out_ += "\n}";
    delimiterPending_ = false;
  }

  void appendNumber(int value) {
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    out_.append(buffer, end);
  }

  const RichText& text_;
  std::string out_;
  std::array<int, 3> fontNumber_{};
  std::vector<Rgb> colours_;
  CharFormat current_;
  bool started_ = false;
  bool delimiterPending_ = false;
};

}  // namespace

std::string writeRtf(const RichText& text) { return Writer(text).write(); }

}  // namespace qm::richedit
