// A small writer for the one-line JSON dumps of the replay driver.
#pragma once

#include <cstdint>
#include <string>

class JsonLine {
  public:
    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    void Key(const char* key);
    void Int(int64_t value);
    void Text(const wchar_t* text);  // null writes null
    void Text(const std::string& utf8);
    void Null();
    const std::string& str() const { return out_; }

  private:
    void Open(char c);
    void Close(char c);
    void Separate();
    void Escaped(uint32_t c);
    std::string out_;
    bool first_ = true;
    bool afterKey_ = false;
};
