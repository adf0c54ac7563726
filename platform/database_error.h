#pragma once

#include "platform/program_error.h"

// A failure reported by the database layer, carrying the server's message.
class DatabaseError : public ProgramError {
public:
    using ProgramError::ProgramError;
};
