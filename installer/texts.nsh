; What the setup program and the uninstaller say, in Japanese only: plain
; words, full-width kana, and one spelling per word (コンピューター,
; フォルダー, インストーラー), NSIS's own wording included.

!define TEXT_SETUP_DESCRIPTION "${PRODUCT_NAME} セットアップ"
!define TEXT_UNINSTALL_CAPTION "${PRODUCT_NAME} の削除"

; Every page and box text breaks only at a sentence's end: a sentence longer
; than its line would break inside a word wherever the line ends.
!define TEXT_REGISTER_FAILED "判定に必要な部品 (ball_source.dll) を登録できませんでした。$\r$\nインストールを中止します。"
!define TEXT_KEY_CONTAINER_KEPT "映像の保護を確かめるための設定は、削除されずに残ります。"
!define TEXT_NOT_INSTALLED_HERE "このフォルダーには ${PRODUCT_NAME} がインストールされていません。$\r$\n削除を中止します。$\r$\n$INSTDIR"
!define TEXT_PROGRAM_RUNNING "${PROGRAM_SHORT_TITLE}が起動しています。$\r$\n${PROGRAM_SHORT_TITLE}を終了してから [再試行] をクリックしてください。$\r$\n[キャンセル] をクリックすると、何も変えずに中止します。"
!define TEXT_NOT_ADMIN "${PRODUCT_NAME} のインストールと削除には、管理者の権限が必要です。$\r$\n管理者のアカウントでログオンして、もう一度実行してください。"
!define TEXT_NEWER_INSTALLED "このコンピューターには、新しいバージョン ($InstalledVersion) の ${PRODUCT_NAME} がインストールされています。$\r$\n古いバージョン (${PRODUCT_VERSION}) に置き換えますか?"
!define TEXT_REMOVING_OLD "前のバージョン ($InstalledVersion) を削除しています。"
!define TEXT_OLD_UNINSTALL_FAILED "前のバージョンの ${PRODUCT_NAME} を削除できませんでした。$\r$\n前のバージョンはそのまま使えます。$\r$\nインストールを中止します。"
!define TEXT_FOLDER_KEPT "保存したファイル (判定結果など) が残っているため、次のフォルダーは削除しませんでした。$\r$\n$INSTDIR"

!define TEXT_CLICK_NEXT "[次へ] をクリックして続けてください。"
!define TEXT_CLICK_INSTALL "[インストール] をクリックするとインストールを始めます。"
!define TEXT_CLICK_UNINSTALL "[削除] をクリックすると削除を始めます。"

!define TEXT_WELCOME_TITLE "${PRODUCT_NAME} セットアップへようこそ"
!define TEXT_WELCOME "${PRODUCT_NAME} をこのコンピューターにインストールします。$\r$\n$\r$\nUT-750 で地デジ放送を見られるかどうかを判定します。$\r$\n$\r$\n${TEXT_CLICK_NEXT}"
!define TEXT_DIRECTORY_SUBTITLE "${PRODUCT_NAME} をインストールするフォルダーを選んでください。"
!define TEXT_DIRECTORY_TOP "${PRODUCT_NAME} を次のフォルダーにインストールします。$\r$\nほかのフォルダーにするには [参照] をクリックして選んでください。$\r$\n${TEXT_CLICK_INSTALL}"
!define TEXT_DIRECTORY_DESTINATION "インストール先のフォルダー"
!define TEXT_FINISH_TITLE "${PRODUCT_NAME} のインストールの完了"
!define TEXT_FINISH "${PRODUCT_NAME} をこのコンピューターにインストールしました。$\r$\nスタート メニューの「${PRODUCT_NAME}」からも起動できます。$\r$\n$\r$\n[完了] をクリックしてウィザードを閉じてください。"
!define TEXT_FINISH_RUN "${PRODUCT_NAME} を起動する"

!define TEXT_UNINSTALL_TITLE "${PRODUCT_NAME} の削除"
!define TEXT_UNINSTALL_SUBTITLE "${PRODUCT_NAME} をこのコンピューターから削除します。"
!define TEXT_UNINSTALL_CONFIRM "${PRODUCT_NAME} をこのコンピューターから削除します。$\r$\n${TEXT_CLICK_UNINSTALL}$\r$\n$\r$\n${TEXT_KEY_CONTAINER_KEPT}"
!define TEXT_UNINSTALLING_TITLE "削除"
!define TEXT_UNINSTALLING_SUBTITLE "${PRODUCT_NAME} を削除しています。お待ちください。"
!define TEXT_UNINSTALL_DONE_TITLE "削除の完了"
!define TEXT_UNINSTALL_DONE_SUBTITLE "${PRODUCT_NAME} を削除しました。"
!define TEXT_UNINSTALL_ABORT_TITLE "削除の中止"
!define TEXT_UNINSTALL_ABORT_SUBTITLE "削除を中止しました。"
!define TEXT_UNINSTALL_FINISHED_TITLE "${PRODUCT_NAME} の削除の完了"
!define TEXT_UNINSTALL_FINISHED "${PRODUCT_NAME} はこのコンピューターから削除されました。$\r$\n$\r$\n${TEXT_KEY_CONTAINER_KEPT}$\r$\n$\r$\n[完了] をクリックしてウィザードを閉じてください。"

; NSIS's Japanese file writes the uninstall button in half-width kana, the
; only way the word fits that button, and drops the long vowel mark that ours
; keep; these replace its strings that our pages and the details list show.
; Inserted after MUI_LANGUAGE.
!macro JapaneseWording
  LangString ^UninstallBtn ${LANG_JAPANESE} "削除(&U)"
  LangString ^ClickNext ${LANG_JAPANESE} "${TEXT_CLICK_NEXT}"
  LangString ^ClickInstall ${LANG_JAPANESE} "${TEXT_CLICK_INSTALL}"
  LangString ^ClickUninstall ${LANG_JAPANESE} "${TEXT_CLICK_UNINSTALL}"
  LangString ^DirSubCaption ${LANG_JAPANESE} ": インストール フォルダー"
  LangString ^UnDirSubCaption ${LANG_JAPANESE} ": アンインストール フォルダー"
  LangString ^DirBrowseText ${LANG_JAPANESE} "${PRODUCT_NAME} をインストールするフォルダーを選んでください:"
  LangString ^CreateFolder ${LANG_JAPANESE} "フォルダー作成: "
  LangString ^OutputFolder ${LANG_JAPANESE} "出力先フォルダー: "
  LangString ^RemoveFolder ${LANG_JAPANESE} "フォルダー削除: "
  LangString ^CreatedUninstaller ${LANG_JAPANESE} "アンインストーラー作成: "
  LangString ^UninstallCaption ${LANG_JAPANESE} "${TEXT_UNINSTALL_CAPTION}"
  LangString ^UninstallingSubText ${LANG_JAPANESE} "削除元:"
  ; A file that cannot be written is one that a running copy holds.
  LangString ^FileError_NoIgnore ${LANG_JAPANESE} "${TEXT_PROGRAM_RUNNING}$\r$\n$\r$\n$0"
  LangString ^ErrorDecompressing ${LANG_JAPANESE} "データを展開できません。$\r$\n$\r$\nインストーラーが壊れている可能性があります。"
!macroend
