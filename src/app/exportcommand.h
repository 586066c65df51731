#pragma once

class Tmainform;

/// Connects "档案数据导出(&E)" (F5), the toolbar's "数据输出" and navigation command 28 to the export
/// wizard, opened with "全库数据" chosen.
void bindExportCommand(Tmainform& mainform);
