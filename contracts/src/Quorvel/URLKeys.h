#pragma once

#include <Quorvel/ContractsExport.h>

#include <map>
#include <string>

namespace Quorvel {

/// Keys of the product's web addresses. The numbers are shared with the links configuration,
/// so each key keeps its number; the gaps are keys retired earlier.
enum class URLKeys : int {
    HOMEPAGE_URL_menu = 10,
    HOMEPAGE_URL_menuabout = 11,
    HOMEPAGE_URL_socialtab = 12,
    HOMEPAGE_URL = 13,
    DOWNLOAD_URL_checkupdatest = 14,
    HELP_URL_menu = 16,
    LIVECHAT_URL_menu = 17,
    LIVECHAT_URL_other = 18,
    CONTACT_SUPPORT_menu = 25,
    GET_MORE_SOFTWARE_URL_menu = 26,
    CUSTOM_ABOUT_URL = 28,
    THANK_FOR_INSTALL_URL = 29,
    THANK_FOR_REINSTALL_URL = 30,
    ALL_PATENTS_URL = 31,
    FEEDBACK_URL_POST = 32,
    FEEDBACK_URL_GET = 33,
    NPS_URL_POST = 34,
    PRIVACY_POLICY_URL = 35,
    WHAT_IS_PLATFORM_URL = 36,
    DOWNLOAD_PLATFORM_URL_widgetlk = 37,
    WEB_CONFIG_URL = 38,
    FORUM_URL_socialtab = 39,
    FORUM_URL_menu = 40,
    INSTAGRAM_URL_socialtab = 41,
    INSTAGRAM_URL_menu = 42,
    FACEBOOK_URL_socialtab = 43,
    FACEBOOK_URL_menu = 44,
    ODNOKLASSNIKI_URL_socialtab = 45,
    ODNOKLASSNIKI_URL_menu = 46,
    GOOGLE_PLUS_URL_socialtab = 47,
    GOOGLE_PLUS_URL_menu = 48,
    VKONTAKTE_URL_socialtab = 49,
    VKONTAKTE_URL_menu = 50,
    YOU_TUBE_URL_socialtab = 51,
    YOU_TUBE_URL_menu = 52,
    DOWNLOAD_AI_MODELS_URL = 54,
    DOWNLOAD_MEDIA_CONTENT_URL = 55,
    DOWNLOAD_RESOURCES_URL = 56,
    LIVECHAT_URL_app_share = 66,
    LIVECHAT_URL_app_close = 67,
    VIDEO_LESSONS_URL_menu = 68,
    COLLECT_EMAIL_URL = 69,
    SPARKLE_APPCAST_URL = 71,
    CHECK_FOR_UPDATES_URL = 72,
    CHANGELOG_URL = 73,
    FAQ_URL_menu = 74,
    FAQ_URL_menuabout = 75,
    FAQ_URL = 78,
    ERASING_OBJECTS_MORE_URL_tooltip = 79,
    BACKGROUND_REMOVAL_MORE_URL_tooltip = 80,
    REMOVE_OBJECTS_URL_menu = 82,
    REMOVE_BG_URL_menu = 83,
    REPLACE_BG_URL_menu = 84,
    RESTORE_OLD_PHOTO_URL_menu = 85
};

/// Every key with its name, in ascending order of the key.
QUORVEL_CONTRACTS_EXPORT const std::map<URLKeys, std::string>& GetURLKeyNames();

}  // namespace Quorvel
