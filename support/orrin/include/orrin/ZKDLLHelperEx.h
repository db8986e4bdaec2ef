// Load-time steps of a shared library, run in the order its owner asks.
//
// Use from a library's own source file:
//
//     namespace {
//     CZKDLLHelperEx& LibraryHelper()
//     {
//         static CZKDLLHelperEx helper(L"FENNICK");
//         return helper;
//     }
//     struct LibraryLoader
//     {
//         LibraryLoader()
//         {
//             LibraryHelper().AddStep(L"capability traits", &BuildCapTraits, &ClearCapTraits);
//             LibraryHelper().AddStep(L"trace names", &InitializeDebugInfo);
//             LibraryHelper().DllMain(nullptr, ZK_DLL_PROCESS_ATTACH, nullptr);
//         }
//         ~LibraryLoader() { LibraryHelper().DllMain(nullptr, ZK_DLL_PROCESS_DETACH, nullptr); }
//     } g_libraryLoader;
//     }
//
// Register every step from that one object so the order does not depend on
// the unspecified order of static initialisation across source files; the
// function-local helper outlives the loader object.
//
// Attach: the base bookkeeping first (its failure fails the attach and no
// step runs), then the attach steps in registration order. A step that
// returns FALSE or throws is logged and makes the attach result FALSE, but
// the later steps still run: they build independent tables, and a library
// missing one table is better off with the others.
// Detach: the detach steps of the steps whose attach succeeded, in reverse
// registration order; a throwing detach step is logged and skipped.
// A step added while the library is already attached runs at once.
#pragma once

#include <orrin/ZKDLLHelper.h>

#include <functional>
#include <list>

class ORRIN_EXPORT CZKDLLHelperEx : public CZKDLLHelper
{
public:
    using AttachStep = std::function<BOOL()>;
    using DetachStep = std::function<void()>;

    explicit CZKDLLHelperEx(const wchar_t* moduleName);
    ~CZKDLLHelperEx() override;

    // An empty attach step counts as a success; the detach step may be empty.
    // Returns FALSE only when the step was run at once and failed, or could
    // not be registered.
    BOOL AddStep(const wchar_t* name, AttachStep attach, DetachStep detach = DetachStep());

    size_t GetStepCount() const;

protected:
    BOOL _OnAttachSteps() override;
    void _OnDetachSteps() override;

private:
    struct Step
    {
        std::wstring name;
        AttachStep attach;
        DetachStep detach;
        bool attached;
    };

    BOOL _RunAttach(Step& step);
    void _RunDetach(Step& step);

    // A list, so a step that adds steps while it runs keeps its own entry valid.
    std::list<Step> m_steps;
    // Set while the steps are attached, so a step added concurrently with an
    // attach is run exactly once, either by the attach loop or by AddStep.
    bool m_stepsAttached;
    mutable std::recursive_mutex m_stepsLock;
};
