// The first page of a PDF the print loop wrote, read back as a person measures a print: the
// paper size and the straight strokes drawn on it, both in millimetres. No Qt in this header.
#pragma once

#include <string>
#include <vector>

struct CPdfStroke {
    double x1, y1, x2, y2;   // millimetres from the page's lower-left corner
    double Length() const;
};

struct CPdfPage {
    double width = 0.0;    // millimetres
    double height = 0.0;
    std::vector<CPdfStroke> strokes;
};

// FALSE when the file holds no page or its page content cannot be read.
bool ReadPdfFirstPage(const std::string& path, CPdfPage& page);
