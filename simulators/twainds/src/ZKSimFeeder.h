// The paper in a virtual scanner's feeder.
#pragma once

class CZKSimFeeder
{
public:
    explicit CZKSimFeeder(int sheets) : m_sheets(sheets > 0 ? sheets : 0) {}

    bool HasPaper() const { return m_sheets > 0; }
    int GetSheets() const { return m_sheets; }
    void TakeSheet()
    {
        if (m_sheets > 0)
            --m_sheets;
    }
    // An operator putting paper into an empty feeder.
    void Reload(int sheets)
    {
        if (m_sheets == 0 && sheets > 0)
            m_sheets = sheets;
    }

private:
    int m_sheets;
};
