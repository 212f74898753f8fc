// Reads a page of a PDF file as the print loop writes it: the media box, and the content stream
// (inflated) run through the few operators that place straight strokes, with the transformation
// matrix kept across q, Q and cm.
#include "tests/app/PdfPage.h"

#include <QByteArray>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;

using Matrix = std::array<double, 6>;   // a b c d e f, as the cm operator takes them

Matrix Multiply(const Matrix& m, const Matrix& n)
{
    return { m[0] * n[0] + m[1] * n[2],        m[0] * n[1] + m[1] * n[3],
             m[2] * n[0] + m[3] * n[2],        m[2] * n[1] + m[3] * n[3],
             m[4] * n[0] + m[5] * n[2] + n[4], m[4] * n[1] + m[5] * n[3] + n[5] };
}

void Apply(const Matrix& m, double x, double y, double& outX, double& outY)
{
    outX = m[0] * x + m[2] * y + m[4];
    outY = m[1] * x + m[3] * y + m[5];
}

// The bytes of object `number`'s stream, inflated when it is compressed.
bool ObjectStream(const std::string& pdf, int number, std::string& content)
{
    const std::regex start("(^|[\\r\\n])" + std::to_string(number) + " 0 obj");
    std::smatch found;
    if (!std::regex_search(pdf, found, start))
        return false;
    const size_t object = static_cast<size_t>(found.position(0));
    const size_t end = pdf.find("endobj", object);
    const size_t keyword = pdf.find("stream", object);
    if (keyword == std::string::npos || keyword > end)
        return false;
    const std::string dictionary = pdf.substr(object, keyword - object);
    size_t data = keyword + 6;
    if (pdf.compare(data, 2, "\r\n") == 0)
        data += 2;
    else if (pdf[data] == '\n')
        data += 1;
    const size_t stop = pdf.find("endstream", data);
    if (stop == std::string::npos)
        return false;
    std::string bytes = pdf.substr(data, stop - data);
    if (dictionary.find("/FlateDecode") == std::string::npos) {
        content = bytes;
        return true;
    }
    // The size prefix is only the first guess of the inflated length.
    QByteArray prefixed(4, '\0');
    const quint32 guess = static_cast<quint32>(bytes.size() * 16 + 1024);
    prefixed[0] = static_cast<char>(guess >> 24);
    prefixed[1] = static_cast<char>(guess >> 16);
    prefixed[2] = static_cast<char>(guess >> 8);
    prefixed[3] = static_cast<char>(guess);
    prefixed.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QByteArray inflated = qUncompress(prefixed);
    if (inflated.isEmpty())
        return false;
    content.assign(inflated.constData(), static_cast<size_t>(inflated.size()));
    return true;
}

} // namespace

double CPdfStroke::Length() const
{
    return std::hypot(x2 - x1, y2 - y1);
}

bool ReadPdfFirstPage(const std::string& path, CPdfPage& page)
{
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::smatch box;
    const std::regex mediaBox("/MediaBox\\s*\\[\\s*([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s*\\]");
    if (!std::regex_search(pdf, box, mediaBox))
        return false;
    page.width = (std::atof(box[3].str().c_str()) - std::atof(box[1].str().c_str())) * kMillimetresPerPoint;
    page.height = (std::atof(box[4].str().c_str()) - std::atof(box[2].str().c_str())) * kMillimetresPerPoint;
    std::smatch contents;
    if (!std::regex_search(pdf, contents, std::regex("/Contents\\s+(\\d+)\\s+0\\s+R")))
        return false;
    std::string content;
    if (!ObjectStream(pdf, std::atoi(contents[1].str().c_str()), content))
        return false;

    // Operands gather until their operator; a path's segments are kept until it is stroked.
    std::istringstream tokens(content);
    std::vector<double> operands;
    std::vector<Matrix> saved;
    Matrix ctm = { 1, 0, 0, 1, 0, 0 };
    std::vector<CPdfStroke> pending;
    double x = 0.0, y = 0.0;
    std::string token;
    while (tokens >> token) {
        char* end = nullptr;
        const double value = std::strtod(token.c_str(), &end);
        if (end != token.c_str() && *end == '\0') {
            operands.push_back(value);
            continue;
        }
        const size_t n = operands.size();
        if (token == "q") {
            saved.push_back(ctm);
        } else if (token == "Q" && !saved.empty()) {
            ctm = saved.back();
            saved.pop_back();
        } else if (token == "cm" && n >= 6) {
            Matrix m;
            for (int i = 0; i < 6; ++i)
                m[i] = operands[n - 6 + i];
            ctm = Multiply(m, ctm);
        } else if (token == "m" && n >= 2) {
            Apply(ctm, operands[n - 2], operands[n - 1], x, y);
        } else if (token == "l" && n >= 2) {
            double toX = 0.0, toY = 0.0;
            Apply(ctm, operands[n - 2], operands[n - 1], toX, toY);
            pending.push_back({ x * kMillimetresPerPoint, y * kMillimetresPerPoint, toX * kMillimetresPerPoint,
                             toY * kMillimetresPerPoint });
            x = toX;
            y = toY;
        } else if (token == "S" || token == "s" || token == "B" || token == "b") {
            page.strokes.insert(page.strokes.end(), pending.begin(), pending.end());
            pending.clear();
        } else if (token == "n" || token == "f" || token == "F" || token == "f*" || token == "W" || token == "W*") {
            pending.clear();
        }
        operands.clear();
    }
    return true;
}
