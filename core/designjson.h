// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querydocument.h"

#include <QJsonObject>

// The design as JSON data for a host program: what the design document holds, with words
// instead of enumeration numbers. A host may keep it, change it and hand it back; what it
// hands back is checked as any outside input is (sizes, references, known words) before it
// becomes a design.
QJsonObject DesignToJson(const DesignState &design);
// The design the data describes, or false and the reason in *error (the design unchanged).
bool DesignFromJson(const QJsonObject &data, DesignState &design, QString *error);
