#include "QXScanPdfDocument.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <exception>
#include <sstream>

namespace
{
constexpr double kPointsPerInch = 72.0;

QPDFObjectHandle DecodeParms(const QXSCAN_PDF_PAGE& page)
{
    if (page.filter != "/CCITTFaxDecode")
        return QPDFObjectHandle::newNull();
    QPDFObjectHandle parms = QPDFObjectHandle::newDictionary();
    parms.replaceKey("/K", QPDFObjectHandle::newInteger(-1));
    parms.replaceKey("/Columns", QPDFObjectHandle::newInteger(page.width));
    parms.replaceKey("/Rows", QPDFObjectHandle::newInteger(page.height));
    parms.replaceKey("/BlackIs1", QPDFObjectHandle::newBool(page.oneIsBlack));
    return parms;
}

QPDFObjectHandle ImageObject(QPDF& pdf, const QXSCAN_PDF_PAGE& page)
{
    QPDFObjectHandle image = QPDFObjectHandle::newStream(&pdf);
    QPDFObjectHandle dict = image.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dict.replaceKey("/Width", QPDFObjectHandle::newInteger(page.width));
    dict.replaceKey("/Height", QPDFObjectHandle::newInteger(page.height));
    dict.replaceKey("/ColorSpace",
                    QPDFObjectHandle::newName(page.colour ? "/DeviceRGB" : "/DeviceGray"));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(page.bitsPerComponent));
    // Raw bitonal rows whose 1 is black are drawn through an inverted decode.
    if (page.filter.empty() && page.oneIsBlack)
        dict.replaceKey("/Decode", QPDFObjectHandle::parse("[1 0]"));
    const QPDFObjectHandle filter =
        page.filter.empty() ? QPDFObjectHandle::newNull() : QPDFObjectHandle::newName(page.filter);
    image.replaceStreamData(page.data, filter, DecodeParms(page));
    return image;
}

void AddPage(QPDF& pdf, const QXSCAN_PDF_PAGE& page)
{
    const double width = page.width * kPointsPerInch / page.xResolution;
    const double height = page.height * kPointsPerInch / page.yResolution;
    std::ostringstream content;
    content.imbue(std::locale::classic());
    content << "q " << width << " 0 0 " << height << " 0 0 cm /Im0 Do Q\n";
    QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
    xobjects.replaceKey("/Im0", ImageObject(pdf, page));
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    resources.replaceKey("/XObject", xobjects);
    QPDFObjectHandle object = QPDFObjectHandle::newDictionary();
    object.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
    object.replaceKey("/MediaBox",
                      QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(0, 0, width, height)));
    object.replaceKey("/Resources", resources);
    object.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content.str()));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(object)),
                                        false);
}
} // namespace

bool CQXScanPdfDocument::Save(std::string& error) const
{
    const std::string part = m_path + ".part";
    try
    {
        QPDF pdf;
        pdf.emptyPDF();
        for (const QXSCAN_PDF_PAGE& page : m_pages)
            ::AddPage(pdf, page);
        QPDFWriter writer(pdf, part.c_str());
        writer.setDeterministicID(true);
        writer.write();
    }
    catch (const std::exception& failure)
    {
        std::remove(part.c_str());
        error = "cannot write " + m_path + ": " + failure.what();
        return false;
    }
    if (std::rename(part.c_str(), m_path.c_str()) != 0)
    {
        std::remove(part.c_str());
        error = "cannot write " + m_path;
        return false;
    }
    return true;
}
