#pragma once

// The product-side services: settings stores, customization, launch type, hardware
// information, links, the HTTP client and the e-mail dialog and sender.
#include <Quorvel/App/AbstractEmailDialog.h>
#include <Quorvel/App/ApplicationSettingsManager.h>
#include <Quorvel/App/CustomizationError.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/EmailDialogCreator.h>
#include <Quorvel/App/EmailSender.h>
#include <Quorvel/App/HardwareInfo.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/App/LinksManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/SettingsStore.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/Networking/HttpClient.h>
