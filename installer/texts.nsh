; What the setup program and the uninstaller say, in Japanese only.

!define TEXT_SETUP_DESCRIPTION "${PRODUCT_NAME} セットアップ"
!define TEXT_REGISTER_FAILED "ビデオ ソース フィルター (ball_source.dll) を登録できませんでした。インストールを中止します。"
!define TEXT_KEY_CONTAINER_KEPT "プログラムが作成した CryptoAPI のキー コンテナー「wznChecker」は削除されずに残ります。"
!define TEXT_NOT_INSTALLED_HERE "このフォルダーには ${PRODUCT_NAME} がインストールされていません。削除を中止します。$\r$\n$INSTDIR"
!define TEXT_UNINSTALL_CONFIRM "${PRODUCT_NAME} をこのコンピューターから削除します。$\r$\n${TEXT_KEY_CONTAINER_KEPT}"
!define TEXT_UNINSTALL_FINISHED_TITLE "${PRODUCT_NAME} の削除の完了"
!define TEXT_UNINSTALL_FINISHED "${PRODUCT_NAME} はこのコンピューターから削除されました。$\r$\n$\r$\n${TEXT_KEY_CONTAINER_KEPT}$\r$\n$\r$\n[完了] をクリックしてウィザードを閉じてください。"
