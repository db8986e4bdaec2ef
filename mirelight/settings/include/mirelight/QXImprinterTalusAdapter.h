// The talus imprinter: the holm settings plus messages 2 to 6 (message 1 is
// the suffix) and the index of the message printed.
#pragma once

#include <mirelight/QXImprinterHolmAdapter.h>
#include <mirelight/mirelight_export.h>

#include <memory>

class CQXImprinterMessageList;

class MIRELIGHT_EXPORT CQXImprinterTalusAdapter : public CQXImprinterHolmAdapter
{
public:
    CQXImprinterTalusAdapter();
    ~CQXImprinterTalusAdapter() override;
    EQXScannerFamily GetFamilyCode() const override { return QX_SCANNER_FAMILY_TALUS; }

    unsigned getWriteSequenceStringLengthFixed() const override { return 40; }
    unsigned getWriteSequenceStringLengthLimit() const override { return 18; }
    unsigned getWriteSequenceStringResultLengthLimit() const override { return 40; }
    unsigned short getWriteSequenceMessageIndexLimit() const { return 6; }
    void GetSupportedCommands(std::vector<QX_IMPRINTER_EXPRESSION>& commands) const override;

    // index 1 is the suffix, 2 to 6 the messages; the setter answers 0 for
    // any other index and the getter leaves text unchanged.
    void getWriteSequenceMessage(int index, std::wstring& text) const;
    int setWriteSequenceMessage(int index, const std::wstring& text);
    unsigned short getWriteSequenceMessageIndex() const { return m_messageIndex; }
    // index 1 to getWriteSequenceMessageIndexLimit(); the setter answers 0
    // and keeps the current index for any other value.
    int setWriteSequenceMessageIndex(unsigned short index);

    int Compare(const CQXScannerSettingsAdapter& other) const override;
    void Copy(const CQXScannerSettingsAdapter& other) override;

protected:
    int _DoReadFromBuffer(CZKBuffer& buffer) override;
    int _DoWriteToBuffer(CZKBuffer& buffer) override;
    int _DoReadFromScript(CZKScript& script) override;
    int _DoWriteToScript(CZKScript& script) override;
    int _DoWriteConfigToScanner(CZKTWSourceManager* sourceManager) override;

private:
    bool _IsMessageIndexInRange(WORD index) const;

    std::unique_ptr<CQXImprinterMessageList> m_messages;
    WORD m_messageIndex = 1;
};
