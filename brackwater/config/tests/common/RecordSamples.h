// Fully populated records for round-trip and mutation tests: every field
// away from its default where the record allows it.
#pragma once

#include <brackwater/QX_JOBCFG_OUTPUT_GROUP_TYPE.h>
#include <brackwater/QX_PAGCFG_IMAGE_TYPE.h>
#include <brackwater/QX_SPLITCFG_TYPE.h>
#include <brackwater/QX_USRCFG_GROUP_TYPE.h>
#include <brackwater/QX_USRCFG_USER_TYPE.h>
#include <brackwater/QX_USRPRO_GENERAL_TYPE.h>
#include <brackwater/QX_USRPRO_WORKSPACE_TYPE.h>

#include <string>

// The connector test's plug-in, built beside the libraries.
std::wstring TestPluginPath();
bool HaveTestPlugin();

void FillFileInfo(QX_JOBCFG_OUTPUT_FILEINFO_TYPE& info, int seed);
void FillIndexInfo(QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE& info, int seed);
// withPlugin: the first system is connected to the test plug-in.
QX_JOBCFG_OUTPUT_GROUP_TYPE SampleOutputGroup(bool withPlugin);

QX_USRPRO_WORKSPACE_TYPE SampleWorkspace();
QX_USRPRO_GENERAL_TYPE SampleProfile();
QX_USRCFG_USER_TYPE SampleUser();
QX_USRCFG_GROUP_TYPE SampleUserGroup();

// Two pieces on each side, ordered rear 1, front 2, front 1.
QX_SPLITCFG_TYPE SampleSplitLayout();
QX_PAGCFG_IMAGE_TYPE SamplePageImage();
