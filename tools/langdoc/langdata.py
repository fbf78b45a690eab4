"""Fixed facts about the language document shared by the generator and the table filler."""

# Interface languages: English first, then the rest by English name. This is
# both the order of the blocks and of the interface list.
BLOCK_CODES = (
    "en af sq ar hy az eu be bn bs bg ca ceb zh-CN zh-TW hr cs da nl eo et tl fi fr gl ka de el gu"
    " ht iw hi hmn hu is id ga it ja jw kn km lo la lv lt mk ms mr no fa pl pt ro ru sr sk sl es"
    " sw sv ta te th tr uk vi cy yi"
).split()

# The 72 translation languages with their English names, in English order.
# These names are the English block's texts and the first half of every
# interface-list entry.
ENGLISH_NAMES = {
    "af": "Afrikaans", "sq": "Albanian", "ar": "Arabic", "hy": "Armenian", "az": "Azerbaijani",
    "eu": "Basque", "be": "Belarusian", "bn": "Bengali", "bs": "Bosnian", "bg": "Bulgarian",
    "ca": "Catalan", "ceb": "Cebuano", "zh-CN": "Chinese (Simplified)",
    "zh-TW": "Chinese (Traditional)", "hr": "Croatian", "cs": "Czech", "da": "Danish",
    "nl": "Dutch", "en": "English", "eo": "Esperanto", "et": "Estonian", "tl": "Filipino",
    "fi": "Finnish", "fr": "French", "gl": "Galician", "ka": "Georgian", "de": "German",
    "el": "Greek", "gu": "Gujarati", "ht": "Haitian Creole", "iw": "Hebrew", "hi": "Hindi",
    "hmn": "Hmong", "hu": "Hungarian", "is": "Icelandic", "id": "Indonesian", "ga": "Irish",
    "it": "Italian", "ja": "Japanese", "jw": "Javanese", "kn": "Kannada", "km": "Khmer",
    "ko": "Korean", "lo": "Lao", "la": "Latin", "lv": "Latvian", "lt": "Lithuanian",
    "mk": "Macedonian", "ms": "Malay", "mt": "Maltese", "mr": "Marathi", "no": "Norwegian",
    "fa": "Persian", "pl": "Polish", "pt": "Portuguese", "ro": "Romanian", "ru": "Russian",
    "sr": "Serbian", "sk": "Slovak", "sl": "Slovenian", "es": "Spanish", "sw": "Swahili",
    "sv": "Swedish", "ta": "Tamil", "te": "Telugu", "th": "Thai", "tr": "Turkish",
    "uk": "Ukrainian", "ur": "Urdu", "vi": "Vietnamese", "cy": "Welsh", "yi": "Yiddish",
}
LANGUAGE_CODES = tuple(ENGLISH_NAMES)

# The interface texts, in block order, with the English block's wording.
INTERFACE_TEXTS = {
    "Source": "From:",
    "Target": "To:",
    "Trans": "Translate",
    "Pleasewait": "Translation, please wait ...",
    "Help": "Help",
    "Options": "Options",
    "About": "About",
    "Contactus": "Contact Us",
    "Visithome": "Visit Homepage",
    "Open": "Open",
    "Close": "Close",
    "Preferences": "Preferences",
    "AutoRun": "Auto-run on windows startup",
    "Minimize": "Minimize after startup",
    "AutoPaste": "Auto paste from clipboard",
    "AutoCopy": "Auto copy to clipboard",
    "InterfaceLanguage": "Interface Language",
    "SelectLanguage": "Select Language:",
    "FontSize": "Font Size",
    "Default": "Default",
    "Connection": "Connection",
    "ProxySettings": "Proxy Settings",
    "NoProxy": "No Proxy(direct connection)",
    "ManuallyProxy": "Manually enter proxy settings",
    "Address": "IP address:",
    "Port": "Port:",
    "Username": "User name:",
    "Password": "Password:",
}
INTERFACE_IDS = tuple(INTERFACE_TEXTS)

# Row order of every table: "auto", the languages, the interface texts.
TABLE_IDS = ("auto",) + LANGUAGE_CODES + INTERFACE_IDS

# The service's codes are older than today's CLDR codes. The CLDR name of
# each translation language is looked up under these identifiers.
CLDR_NAME_KEYS = {"iw": "he", "jw": "jv", "tl": "fil", "zh-CN": "zh_Hans", "zh-TW": "zh_Hant"}

# The locale whose CLDR data (names) stands for each block.
CLDR_BLOCK_LOCALES = {"iw": "he", "jw": "jv", "tl": "fil", "zh-CN": "zh_Hans", "zh-TW": "zh_Hant", "no": "nb"}

# The ICU collation locale of each block. Languages without a collation of
# their own in ICU sort by the root order, which "en" also uses; the tests
# build a QCollator from the same names, so both must be names Qt knows.
COLLATION_LOCALES = {
    "iw": "he", "jw": "jv", "tl": "fil", "zh-CN": "zh_CN", "zh-TW": "zh_TW", "no": "nb",
    "ht": "en", "hmn": "en", "la": "en", "ceb": "en",
}


def collation_locale(code):
    return COLLATION_LOCALES.get(code, code)
