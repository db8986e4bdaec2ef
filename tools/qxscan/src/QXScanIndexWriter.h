// index.jsonl: one JSON object per delivered image, written and flushed as
// the image arrives, so a cancelled or failed run keeps what it received.
#pragma once

#include "QXScanImage.h"

#include <fstream>
#include <string>

class CQXScanIndexWriter
{
public:
    // FALSE when the file cannot be created.
    bool Open(const std::string& path);
    // image: the 1-based number of the image in the run; bytes: the size of
    // the data the scanner sent.
    bool Add(int image, const QXSCAN_IMAGE& delivered, const std::string& file, int page, size_t bytes);

private:
    std::ofstream m_out;
};
