#include "core/BatchRunning.h"

bool gbBatchRunning = false;

BatchRunningScope::BatchRunningScope()
    : m_previous(gbBatchRunning)
{
    gbBatchRunning = true;
}

BatchRunningScope::~BatchRunningScope() { gbBatchRunning = m_previous; }
