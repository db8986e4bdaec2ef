#include <orrin/ZKDLLHelperEx.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{
class ZKDLLHelperTest : public ::testing::Test
{
protected:
    // Records the order in which steps ran.
    std::vector<std::string> m_events;

    CZKDLLHelperEx::AttachStep Attach(const std::string& name, BOOL result = TRUE)
    {
        return [this, name, result] {
            m_events.push_back("attach " + name);
            return result;
        };
    }
    CZKDLLHelperEx::DetachStep Detach(const std::string& name)
    {
        return [this, name] { m_events.push_back("detach " + name); };
    }
};

// A library whose base bookkeeping refuses to attach.
class RefusingHelper : public CZKDLLHelperEx
{
public:
    RefusingHelper() : CZKDLLHelperEx(L"TEST") {}

protected:
    BOOL _OnProcessAttach() override { return FALSE; }
};
} // namespace

TEST_F(ZKDLLHelperTest, AttachInRegistrationOrderDetachInReverse)
{
    CZKDLLHelperEx helper(L"TEST");
    helper.AddStep(L"a", Attach("a"), Detach("a"));
    helper.AddStep(L"b", Attach("b"), Detach("b"));
    helper.AddStep(L"c", Attach("c"), Detach("c"));
    EXPECT_TRUE(m_events.empty()) << "steps must wait for the attach";

    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(helper.IsAttached());
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr));
    EXPECT_FALSE(helper.IsAttached());

    const std::vector<std::string> expected{"attach a", "attach b", "attach c", "detach c", "detach b", "detach a"};
    EXPECT_EQ(expected, m_events);
}

TEST_F(ZKDLLHelperTest, RepeatedAttachIsIgnoredAndReattachRunsAgain)
{
    CZKDLLHelperEx helper(L"TEST");
    helper.AddStep(L"a", Attach("a"), Detach("a"));
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr));
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_THREAD_ATTACH, nullptr));
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_THREAD_DETACH, nullptr));
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr));
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr));
    // A new attach after a detach runs the steps again.
    helper.DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr);
    helper.DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr);
    EXPECT_EQ((std::vector<std::string>{"attach a", "detach a", "attach a", "detach a"}), m_events);
}

TEST_F(ZKDLLHelperTest, FailingOrThrowingStepsAreContained)
{
    CZKDLLHelperEx helper(L"TEST");
    helper.AddStep(L"a", Attach("a"), Detach("a"));
    helper.AddStep(L"fails", Attach("fails", FALSE), Detach("fails"));
    helper.AddStep(L"throws", []() -> BOOL { throw std::runtime_error("table build failed"); }, Detach("throws"));
    helper.AddStep(L"d", Attach("d"), [this] {
        m_events.push_back("detach d");
        throw std::runtime_error("cleanup failed");
    });

    EXPECT_FALSE(helper.DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(helper.IsAttached()) << "the steps that worked must still be undone at detach";
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr));

    // Only the steps whose attach succeeded are detached; a throwing detach
    // step does not stop the ones before it.
    const std::vector<std::string> expected{"attach a", "attach fails", "attach d", "detach d", "detach a"};
    EXPECT_EQ(expected, m_events);
}

TEST_F(ZKDLLHelperTest, RefusedBaseAttachRunsNoStep)
{
    RefusingHelper helper;
    helper.AddStep(L"a", Attach("a"), Detach("a"));
    EXPECT_FALSE(helper.DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr));
    EXPECT_FALSE(helper.IsAttached());
    helper.DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr);
    EXPECT_TRUE(m_events.empty());
}

TEST_F(ZKDLLHelperTest, StepAddedLateOrFromAStepRunsExactlyOnce)
{
    CZKDLLHelperEx helper(L"TEST");
    helper.AddStep(L"a", [&] {
        m_events.push_back("attach a");
        helper.AddStep(L"nested", Attach("nested"), Detach("nested"));
        return TRUE;
    }, Detach("a"));
    EXPECT_TRUE(helper.DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr));
    EXPECT_TRUE(helper.AddStep(L"late", Attach("late"), Detach("late")));
    EXPECT_FALSE(helper.AddStep(L"late failing", Attach("late failing", FALSE)));
    EXPECT_EQ(4u, helper.GetStepCount());
    helper.DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr);

    const std::vector<std::string> expected{"attach a", "attach nested", "attach late", "attach late failing",
                                            "detach late", "detach nested", "detach a"};
    EXPECT_EQ(expected, m_events);
}
