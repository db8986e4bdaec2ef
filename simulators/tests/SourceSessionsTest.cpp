// The per-application session table both data sources keep: which
// application reaches which session, the refusals made before a session
// exists and how DAT_STATUS reports them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include <twaindefs/ZKTWSessions.h>

namespace
{
// Answers every operation with a fixed result.
struct FakeSession
{
    explicit FakeSession(TW_UINT32 sourceId) { source.Id = sourceId; }
    const TW_IDENTITY& GetSource() const { return source; }

    TW_IDENTITY source{};
    TW_UINT16 result = TWRC_SUCCESS;
};

using Sessions = CZKTWSessions<FakeSession>;

TW_IDENTITY Application(TW_UINT32 id)
{
    TW_IDENTITY identity{};
    identity.Id = id;
    return identity;
}

class SourceSessionsTest : public ::testing::Test
{
protected:
    // Opens a session for app whose source identity has sourceId.
    TW_UINT16 Open(const TW_IDENTITY& app, TW_UINT32 sourceId)
    {
        TW_IDENTITY requested{};
        requested.Id = sourceId;
        return m_sessions.Open(&app, &requested, [](const TW_IDENTITY& r, TW_UINT16&) {
            return std::make_unique<FakeSession>(r.Id);
        });
    }

    // Sends dg/dat/msg from app; the session it reaches answers with its result.
    TW_UINT16 Send(const TW_IDENTITY& app, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data = nullptr)
    {
        return m_sessions.Route(&app, dg, dat, msg, data, [](FakeSession& session) { return session.result; });
    }

    // The condition code DAT_STATUS reports to app (through the table or,
    // once app has a clean session, the session's answer: 0xFFFF).
    TW_UINT16 Status(const TW_IDENTITY& app)
    {
        TW_STATUS status{};
        status.ConditionCode = 0xFFFF;
        EXPECT_EQ(TWRC_SUCCESS, Send(app, DG_CONTROL, DAT_STATUS, MSG_GET, &status));
        return status.ConditionCode;
    }

    Sessions m_sessions;
    const TW_IDENTITY m_app = Application(7);
    const TW_IDENTITY m_other = Application(8);
};
} // namespace

TEST_F(SourceSessionsTest, OperationsWithoutASessionAreOutOfSequenceAndReportedOnce)
{
    EXPECT_EQ(TWCC_SUCCESS, Status(m_app)) << "nothing refused yet";
    EXPECT_EQ(TWRC_FAILURE, Send(m_app, DG_CONTROL, DAT_CAPABILITY, MSG_GET));
    EXPECT_EQ(TWCC_SUCCESS, Status(m_other)) << "refusals are kept per application";
    EXPECT_EQ(TWCC_SEQERROR, Status(m_app));
    EXPECT_EQ(TWCC_SUCCESS, Status(m_app));

    TW_STATUS* noStatus = nullptr;
    EXPECT_EQ(TWRC_FAILURE, Send(m_app, DG_CONTROL, DAT_STATUS, MSG_GET, noStatus));
}

TEST_F(SourceSessionsTest, OneSessionPerApplication)
{
    ASSERT_EQ(TWRC_SUCCESS, Open(m_app, 21));
    ASSERT_EQ(TWRC_SUCCESS, Open(m_other, 22));
    EXPECT_FALSE(m_sessions.IsEmpty());

    bool made = false;
    TW_IDENTITY requested{};
    EXPECT_EQ(TWRC_FAILURE, m_sessions.Open(&m_app, &requested, [&made](const TW_IDENTITY& r, TW_UINT16&) {
        made = true;
        return std::make_unique<FakeSession>(r.Id);
    }));
    EXPECT_FALSE(made) << "a second session is refused before one is made";
    // The table's own refusal comes before the session's answer, then the
    // session answers DAT_STATUS itself.
    EXPECT_EQ(TWCC_MAXCONNECTIONS, Status(m_app));
    EXPECT_EQ(0xFFFF, Status(m_app));

    TW_IDENTITY identity{};
    ASSERT_EQ(TWRC_SUCCESS, m_sessions.Identify(&m_other, &identity, [] { return nullptr; }));
    EXPECT_EQ(22u, identity.Id);
}

TEST_F(SourceSessionsTest, RefusedOpensKeepTheirConditionAndASuccessForgetsThem)
{
    EXPECT_EQ(TWRC_FAILURE, m_sessions.Open(&m_app, nullptr, [](const TW_IDENTITY&, TW_UINT16&) {
        return std::unique_ptr<FakeSession>();
    }));
    EXPECT_EQ(TWCC_BADVALUE, Status(m_app));

    TW_IDENTITY requested{};
    EXPECT_EQ(TWRC_FAILURE, m_sessions.Open(&m_app, &requested, [](const TW_IDENTITY&, TW_UINT16& condition) {
        condition = TWCC_NODS;
        return std::unique_ptr<FakeSession>();
    }));
    EXPECT_TRUE(m_sessions.IsEmpty());

    requested.Id = 31;
    ASSERT_EQ(TWRC_SUCCESS, m_sessions.Open(&m_app, &requested, [](const TW_IDENTITY& r, TW_UINT16&) {
        auto session = std::make_unique<FakeSession>(r.Id);
        std::strcpy(session->source.ProductName, "Opened");
        return session;
    }));
    EXPECT_STREQ("Opened", requested.ProductName) << "the caller receives the session's identity";
    EXPECT_EQ(0xFFFF, Status(m_app)) << "the earlier refusal is forgotten";
}

TEST_F(SourceSessionsTest, IdentifyGivesTheOpenedIdentityOrTheDescribedOne)
{
    TW_IDENTITY described{};
    described.Id = 99;
    TW_IDENTITY identity{};
    EXPECT_EQ(TWRC_SUCCESS, m_sessions.Identify(nullptr, &identity, [&] { return &described; }));
    EXPECT_EQ(99u, identity.Id);

    ASSERT_EQ(TWRC_SUCCESS, Open(m_app, 41));
    bool describedAsked = false;
    EXPECT_EQ(TWRC_SUCCESS, m_sessions.Identify(&m_app, &identity, [&] {
        describedAsked = true;
        return &described;
    }));
    EXPECT_EQ(41u, identity.Id);
    EXPECT_FALSE(describedAsked);

    EXPECT_EQ(TWRC_FAILURE, m_sessions.Identify(&m_other, &identity, [] { return nullptr; }));
    EXPECT_EQ(TWCC_NODS, Status(m_other));
    EXPECT_EQ(TWRC_FAILURE, m_sessions.Identify(&m_other, nullptr, [&] { return &described; }));
    EXPECT_EQ(TWCC_BADVALUE, Status(m_other));
}

TEST_F(SourceSessionsTest, OnlyASuccessfulCloseEndsTheSession)
{
    TW_IDENTITY requested{};
    FakeSession* session = nullptr;
    ASSERT_EQ(TWRC_SUCCESS, m_sessions.Open(&m_app, &requested, [&session](const TW_IDENTITY& r, TW_UINT16&) {
        auto made = std::make_unique<FakeSession>(r.Id);
        session = made.get();
        return made;
    }));
    session->result = TWRC_FAILURE;
    EXPECT_EQ(TWRC_FAILURE, Send(m_app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS));
    EXPECT_FALSE(m_sessions.IsEmpty());
    session->result = TWRC_SUCCESS;
    EXPECT_EQ(TWRC_SUCCESS, Send(m_app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS));
    EXPECT_TRUE(m_sessions.IsEmpty());
    EXPECT_EQ(TWRC_FAILURE, Send(m_app, DG_CONTROL, DAT_CAPABILITY, MSG_GET));
    EXPECT_EQ(TWCC_SEQERROR, Status(m_app));
}
