#include "app/window_archive_job.h"

#include "archive/archive_job.h"

WindowArchiveJob::WindowArchiveJob() = default;
WindowArchiveJob::~WindowArchiveJob() = default;
