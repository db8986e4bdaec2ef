// The exception a profile makes the source throw out of DS_Entry. DS_Entry
// lets exactly this one escape; it stands for a source that crashes.
#pragma once

#include <stdexcept>

class CZKSimInjectedFault : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
