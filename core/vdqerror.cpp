// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "vdqerror.h"

// Out of line, so that the type's identity lives in the library and a host catches what the
// library throws.
VdqError::VdqError(QString message)
    : m_message(std::move(message)), m_what(m_message.toUtf8())
{
}

VdqError::~VdqError() = default;
VdqError::VdqError(const VdqError &other) = default;
VdqError &VdqError::operator=(const VdqError &other) = default;
