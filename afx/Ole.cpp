#include "Ole.h"

#include <ole2.h>

namespace {

// Uninitialises OLE as the process ends, when it was initialised.
class COleLibrary {
public:
    COleLibrary() = default;
    COleLibrary(const COleLibrary&) = delete;
    COleLibrary& operator=(const COleLibrary&) = delete;
    ~COleLibrary() {
        if (m_initialized)
            ::OleUninitialize();
    }

    bool Initialize() {
        if (!m_initialized)
            m_initialized = SUCCEEDED(::OleInitialize(nullptr));
        return m_initialized;
    }

private:
    bool m_initialized = false;
};

COleLibrary oleLibrary;

} // namespace

BOOL AfxOleInit() {
    return oleLibrary.Initialize();
}
