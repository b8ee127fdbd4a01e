#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumo::admin {

class InputFile;
class OutputFile;

// Where a codec reads from. A failed file reads as its end and says so
// afterwards, so a codec sees a short stream and its caller gives the message.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to n bytes; fewer only at the end.
    virtual std::size_t read(std::uint8_t* buffer, std::size_t n) = 0;
    virtual bool failed() const { return false; }
};

// Where a codec writes to; counts what it was given.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    void put(const std::uint8_t* bytes, std::size_t n) {
        written_ += n;
        write(bytes, n);
    }
    std::uint64_t written() const { return written_; }
    virtual bool failed() const { return false; }

protected:
    virtual void write(const std::uint8_t* bytes, std::size_t n) = 0;

private:
    std::uint64_t written_ = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(std::uint8_t* buffer, std::size_t n) override;

private:
    std::string_view bytes_;
};

class StringSink : public ByteSink {
public:
    explicit StringSink(std::string& out) : out_(out) {}

protected:
    void write(const std::uint8_t* bytes, std::size_t n) override {
        out_.append(reinterpret_cast<const char*>(bytes), n);
    }

private:
    std::string& out_;
};

// Reads an open file from where it stands.
class FileSource : public ByteSource {
public:
    explicit FileSource(InputFile& file) : file_(file) {}
    std::size_t read(std::uint8_t* buffer, std::size_t n) override;
    bool failed() const override { return failed_; }

private:
    InputFile& file_;
    bool failed_ = false;
};

// Writes to an open file; after the first failure the rest is dropped.
class FileSink : public ByteSink {
public:
    explicit FileSink(OutputFile& file) : file_(file) {}
    bool failed() const override { return failed_; }

protected:
    void write(const std::uint8_t* bytes, std::size_t n) override;

private:
    OutputFile& file_;
    bool failed_ = false;
};

// Passes everything `in` gives to `out`, a chunk at a time; false when `in` failed.
bool copyStream(ByteSource& in, ByteSink& out);

}  // namespace lumo::admin
