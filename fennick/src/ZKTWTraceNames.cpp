#include "ZKTWTraceNames.h"

#include <twaindefs/ZKTwainDefs.h>

#include <map>
#include <mutex>

namespace
{
// Several managers trace from their own window threads, and a lookup of an
// unknown code adds an entry, so the tables share one lock.
struct TraceTables
{
    std::mutex lock;
    std::map<WORD, std::string> returnCodes;
    std::map<DWORD, std::string> groups;
    std::map<WORD, std::string> dataTypes;
    std::map<WORD, std::string> messages;
    std::map<WORD, std::string> conditions;
};

TraceTables& Tables()
{
    static TraceTables tables;
    return tables;
}

template <typename Key>
std::string Lookup(std::map<Key, std::string>& table, Key code)
{
    std::lock_guard<std::mutex> guard(Tables().lock);
    return table[code];
}

#define ZKTW_NAME(table, name) table[name] = #name

void FillReturnCodes(std::map<WORD, std::string>& t)
{
    ZKTW_NAME(t, TWRC_CUSTOMBASE);
    ZKTW_NAME(t, TWRC_SUCCESS);
    ZKTW_NAME(t, TWRC_FAILURE);
    ZKTW_NAME(t, TWRC_CHECKSTATUS);
    ZKTW_NAME(t, TWRC_CANCEL);
    ZKTW_NAME(t, TWRC_DSEVENT);
    ZKTW_NAME(t, TWRC_NOTDSEVENT);
    ZKTW_NAME(t, TWRC_XFERDONE);
    ZKTW_NAME(t, TWRC_ENDOFLIST);
    ZKTW_NAME(t, TWRC_INFONOTSUPPORTED);
    ZKTW_NAME(t, TWRC_DATANOTAVAILABLE);
}

void FillGroups(std::map<DWORD, std::string>& t)
{
    ZKTW_NAME(t, DG_CONTROL);
    ZKTW_NAME(t, DG_IMAGE);
    ZKTW_NAME(t, DG_AUDIO);
}

void FillDataTypes(std::map<WORD, std::string>& t)
{
    ZKTW_NAME(t, DAT_NULL);
    ZKTW_NAME(t, DAT_CUSTOMBASE);
    ZKTW_NAME(t, DAT_CAPABILITY);
    ZKTW_NAME(t, DAT_EVENT);
    ZKTW_NAME(t, DAT_IDENTITY);
    ZKTW_NAME(t, DAT_PARENT);
    ZKTW_NAME(t, DAT_PENDINGXFERS);
    ZKTW_NAME(t, DAT_SETUPMEMXFER);
    ZKTW_NAME(t, DAT_SETUPFILEXFER);
    ZKTW_NAME(t, DAT_STATUS);
    ZKTW_NAME(t, DAT_USERINTERFACE);
    ZKTW_NAME(t, DAT_XFERGROUP);
    ZKTW_NAME(t, DAT_TWUNKIDENTITY);
    ZKTW_NAME(t, DAT_CUSTOMDSDATA);
    ZKTW_NAME(t, DAT_DEVICEEVENT);
    ZKTW_NAME(t, DAT_FILESYSTEM);
    ZKTW_NAME(t, DAT_PASSTHRU);
    ZKTW_NAME(t, DAT_IMAGEINFO);
    ZKTW_NAME(t, DAT_IMAGELAYOUT);
    ZKTW_NAME(t, DAT_IMAGEMEMXFER);
    ZKTW_NAME(t, DAT_IMAGENATIVEXFER);
    ZKTW_NAME(t, DAT_IMAGEFILEXFER);
    ZKTW_NAME(t, DAT_CIECOLOR);
    ZKTW_NAME(t, DAT_GRAYRESPONSE);
    ZKTW_NAME(t, DAT_RGBRESPONSE);
    ZKTW_NAME(t, DAT_JPEGCOMPRESSION);
    ZKTW_NAME(t, DAT_PALETTE8);
    ZKTW_NAME(t, DAT_EXTIMAGEINFO);
    ZKTW_NAME(t, DAT_AUDIOFILEXFER);
    ZKTW_NAME(t, DAT_AUDIOINFO);
    ZKTW_NAME(t, DAT_AUDIONATIVEXFER);
}

void FillMessages(std::map<WORD, std::string>& t)
{
    ZKTW_NAME(t, MSG_NULL);
    ZKTW_NAME(t, MSG_CUSTOMBASE);
    ZKTW_NAME(t, MSG_GET);
    ZKTW_NAME(t, MSG_GETCURRENT);
    ZKTW_NAME(t, MSG_GETDEFAULT);
    ZKTW_NAME(t, MSG_GETFIRST);
    ZKTW_NAME(t, MSG_GETNEXT);
    ZKTW_NAME(t, MSG_SET);
    ZKTW_NAME(t, MSG_RESET);
    ZKTW_NAME(t, MSG_QUERYSUPPORT);
    ZKTW_NAME(t, MSG_XFERREADY);
    ZKTW_NAME(t, MSG_CLOSEDSREQ);
    ZKTW_NAME(t, MSG_CLOSEDSOK);
    ZKTW_NAME(t, MSG_DEVICEEVENT);
    ZKTW_NAME(t, MSG_CHECKSTATUS);
    ZKTW_NAME(t, MSG_OPENDSM);
    ZKTW_NAME(t, MSG_CLOSEDSM);
    ZKTW_NAME(t, MSG_OPENDS);
    ZKTW_NAME(t, MSG_CLOSEDS);
    ZKTW_NAME(t, MSG_USERSELECT);
    ZKTW_NAME(t, MSG_DISABLEDS);
    ZKTW_NAME(t, MSG_ENABLEDS);
    ZKTW_NAME(t, MSG_ENABLEDSUIONLY);
    ZKTW_NAME(t, MSG_PROCESSEVENT);
    ZKTW_NAME(t, MSG_ENDXFER);
    ZKTW_NAME(t, MSG_STOPFEEDER);
    ZKTW_NAME(t, MSG_CHANGEDIRECTORY);
    ZKTW_NAME(t, MSG_CREATEDIRECTORY);
    ZKTW_NAME(t, MSG_DELETE);
    ZKTW_NAME(t, MSG_FORMATMEDIA);
    ZKTW_NAME(t, MSG_GETCLOSE);
    ZKTW_NAME(t, MSG_GETFIRSTFILE);
    ZKTW_NAME(t, MSG_GETINFO);
    ZKTW_NAME(t, MSG_GETNEXTFILE);
    ZKTW_NAME(t, MSG_RENAME);
    ZKTW_NAME(t, MSG_COPY);
    ZKTW_NAME(t, MSG_AUTOMATICCAPTUREDIRECTORY);
    ZKTW_NAME(t, MSG_PASSTHRU);
}

void FillConditions(std::map<WORD, std::string>& t)
{
    ZKTW_NAME(t, TWCC_CUSTOMBASE);
    ZKTW_NAME(t, TWCC_SUCCESS);
    ZKTW_NAME(t, TWCC_BUMMER);
    ZKTW_NAME(t, TWCC_LOWMEMORY);
    ZKTW_NAME(t, TWCC_NODS);
    ZKTW_NAME(t, TWCC_MAXCONNECTIONS);
    ZKTW_NAME(t, TWCC_OPERATIONERROR);
    ZKTW_NAME(t, TWCC_BADCAP);
    ZKTW_NAME(t, TWCC_BADPROTOCOL);
    ZKTW_NAME(t, TWCC_BADVALUE);
    ZKTW_NAME(t, TWCC_SEQERROR);
    ZKTW_NAME(t, TWCC_BADDEST);
    ZKTW_NAME(t, TWCC_CAPUNSUPPORTED);
    ZKTW_NAME(t, TWCC_CAPBADOPERATION);
    ZKTW_NAME(t, TWCC_CAPSEQERROR);
    ZKTW_NAME(t, TWCC_DENIED);
    ZKTW_NAME(t, TWCC_FILEEXISTS);
    ZKTW_NAME(t, TWCC_FILENOTFOUND);
    ZKTW_NAME(t, TWCC_NOTEMPTY);
    ZKTW_NAME(t, TWCC_PAPERJAM);
    ZKTW_NAME(t, TWCC_PAPERDOUBLEFEED);
    ZKTW_NAME(t, TWCC_FILEWRITEERROR);
    ZKTW_NAME(t, TWCC_CHECKDEVICEONLINE);
}

#undef ZKTW_NAME
} // namespace

void SZKTWTraceNames::Initialize()
{
    TraceTables& tables = Tables();
    std::lock_guard<std::mutex> guard(tables.lock);
    FillReturnCodes(tables.returnCodes);
    FillGroups(tables.groups);
    FillDataTypes(tables.dataTypes);
    FillMessages(tables.messages);
    FillConditions(tables.conditions);
}

std::string SZKTWTraceNames::ReturnCode(WORD rc) { return Lookup(Tables().returnCodes, rc); }
std::string SZKTWTraceNames::Group(DWORD dg) { return Lookup(Tables().groups, dg); }
std::string SZKTWTraceNames::DataType(WORD dat) { return Lookup(Tables().dataTypes, dat); }
std::string SZKTWTraceNames::Message(WORD msg) { return Lookup(Tables().messages, msg); }
std::string SZKTWTraceNames::Condition(WORD cc) { return Lookup(Tables().conditions, cc); }
