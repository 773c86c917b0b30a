#pragma once

#include "session/Workspace.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace pictaven::test {

// A started and shown workspace in a fresh program folder, with the scripted dialogs.
class WorkspaceFixture : public ::testing::Test {
protected:
    // A new workspace on the same program folder, as after a restart. Templates put into ALBUMS
    // before this call are listed.
    Workspace& restart()
    {
        m_workspace.reset();
        m_workspace = std::make_unique<Workspace>(m_home.str(), "", m_dialogs);
        m_workspace->firstShow();
        m_dialogs.shown.clear();
        return *m_workspace;
    }

    Workspace& workspace()
    {
        if (!m_workspace)
            restart();
        return *m_workspace;
    }

    std::string path(const std::string& name) const { return (m_home / name).string(); }

    // A file with some bytes at `name` below the program folder; its path.
    std::string photo(const std::string& name)
    {
        std::filesystem::create_directories((m_home / name).parent_path());
        writeFile(m_home / name, "photo " + name);
        return path(name);
    }

    TempDir m_home;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<Workspace> m_workspace;
};

// A 24-bit BMP of `width` x `height` white pixels.
std::string bmpBytes(std::int32_t width, std::int32_t height);

} // namespace pictaven::test
