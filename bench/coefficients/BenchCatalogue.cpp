#include "BenchCatalogue.h"

#include "base/Files.h"
#include "base/TextLineReader.h"
#include "base/TextLineWriter.h"
#include "catalogue/FieldReader.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

namespace {

constexpr std::int64_t kMembersPerGroup = 200;

// A fixed pseudo-random sequence, so that every run measures the same file.
class Sequence {
public:
    int next(int below) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((m_state >> 33) % unsigned(below));
    }

private:
    unsigned long long m_state = 12345;
};

int memberLine(char* out, std::size_t size, int shape, Sequence& s) {
    const char* remark = s.next(4) == 0 ? "SS400" : "";
    const int w = 100 + s.next(90000); // weight in hundredths
    const int c = s.next(10000);       // the old coefficient in hundredths
    switch (shape) {
    case 1:
        return std::snprintf(out, size, "C-%dx%dx%dx%d.%d,%s,%d.%02d,%d.%02d", 60 + s.next(200),
                             30 + s.next(70), 10 + s.next(20), 1 + s.next(4), s.next(10), remark, w / 100,
                             w % 100, c / 100, c % 100);
    case 2:
    case 6:
        return std::snprintf(out, size, "H-%dx%dx%dx%d,%s,%d.%02d,%d.%02d", 100 + s.next(800),
                             50 + s.next(400), 5 + s.next(15), 7 + s.next(30), remark, w / 100, w % 100,
                             c / 100, c % 100);
    case 3:
        return std::snprintf(out, size, "L-%dx%dx%d,%s,%d.%02d,%d.%02d", 25 + s.next(225), 25 + s.next(225),
                             3 + s.next(30), remark, w / 100, w % 100, c / 100, c % 100);
    case 4:
        return std::snprintf(out, size, "P-%d.%dx%d.%d,%s,%d.%02d,%d.%02d", 20 + s.next(600), s.next(10),
                             2 + s.next(20), s.next(10), remark, w / 100, w % 100, c / 100, c % 100);
    default:
        return std::snprintf(out, size, "PL-%d,%s,%d.%02d,%d.%02d", 1 + s.next(100), remark, w / 100, w % 100,
                             c / 100, c % 100);
    }
}

} // namespace

bool writeBenchCatalogue(const std::filesystem::path& path, std::int64_t members) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    std::string text =
        "W>{right}\r\nW=d1*e1\r\nA>{right}\r\nA=\r\n1>{down}{left 6}\r\n2>{down}{left 5}\r\n3>\r\n"
        "2,Unit weight,Paint area\r\n1,kg/m,m2/t\r\n2,kg/m2,m2/t\r\n";
    Sequence sequence;
    char line[256];
    for (std::int64_t written = 0, group = 0; written < members; ++group) {
        const int shape = int(group % 6) + 1;
        const int n = std::snprintf(line, sizeof line, "GROUP-%lld,%d,%d\r\n",
                                    static_cast<long long>(group + 1), shape == 5 ? 2 : 1, shape);
        text.append(line, std::size_t(n));
        for (std::int64_t m = 0; m < kMembersPerGroup && written < members; ++m, ++written) {
            text.append(line, std::size_t(memberLine(line, sizeof line, shape, sequence)));
            text.append("\r\n");
        }
        text.append("/*\r\n");
        if (text.size() > (1 << 20)) {
            file << text;
            text.clear();
        }
    }
    file << text;
    return bool(file.flush());
}

std::int64_t copyCatalogue(const std::filesystem::path& input, const std::filesystem::path& output) {
    InputFile in;
    ReplacingFile out;
    if (!in.open(input) || !out.open(output))
        return -1;
    TextLineReader lines(in);
    lines.atEnd(); // settles the encoding, which the output takes over
    TextLineWriter writer(out, lines.encoding());
    FieldReader fields(lines);
    std::int64_t count = 0;
    while (const std::optional<std::u16string> line = fields.readWholeLine()) {
        writer.writeLine(*line);
        ++count;
    }
    return writer.flush() && out.commit() ? count : -1;
}
