// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Installs, once per process, the designer's translation for the system's language (as Qt
// reads it from LANGUAGE, LC_ALL, LC_MESSAGES and LANG) and Qt's own for its dialogs and
// buttons. Nothing is loaded for English, and nothing that a translator the host installed
// first already translates: the host's texts win. Call it before the first window is made.
void InstallDesignerTranslations();
