#pragma once

#include "core/practice/Session.h"
#include "core/settings/Options.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

/** A test with a program folder of its own (FileBox and LogBox made) and default settings. */
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m.programFolder = m_dir.path();
        QDir().mkpath(m.fileBoxPath());
        QDir().mkpath(m.logBoxPath());
        Options::applyStartupDefaults(m.settings);
    }

    QTemporaryDir m_dir;
    Session m;
};
